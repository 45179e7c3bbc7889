// A string laid out in one font: the glyph of every character, where it goes, and the cell.
#pragma once

#include "platform/Win32.h"

#include <vector>

namespace platform_gdi {

struct TextFont;
struct GlyphImage;

struct PlacedGlyph {
    const GlyphImage* image; // not owned: the font engine's cache
    int x;                   // origin, in pixels from the start of the string
};

class TextRun {
public:
    // `text` holds `length` UTF-16 code units; surrogate pairs are decoded, unpaired ones drawn as
    // U+FFFD.
    TextRun(TextFont& font, const WCHAR* text, int length);

    int Width() const { return width; }
    // The text cell of the font, GDI's tmAscent and tmDescent.
    int Ascent() const { return ascent; }
    int Descent() const { return descent; }
    int PixelsPerEm() const { return pixelsPerEm; }
    const std::vector<PlacedGlyph>& Glyphs() const { return glyphs; }

private:
    int width = 0;
    int ascent = 0;
    int descent = 0;
    int pixelsPerEm = 0;
    std::vector<PlacedGlyph> glyphs;
};

} // namespace platform_gdi
