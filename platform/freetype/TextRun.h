// A string laid out in one font at one em size: the glyph of every character and where it goes.
#pragma once

#include <string_view>
#include <vector>

namespace platform_freetype {

class FontMatch;
struct GlyphImage;

struct PlacedGlyph {
    const GlyphImage* image; // not owned: the font engine's cache
    int x;                   // origin, in pixels from the start of the string
};

class TextRun {
public:
    TextRun(FontMatch& match, int pixelsPerEm, std::string_view utf8);

    int Width() const { return width; }
    const std::vector<PlacedGlyph>& Glyphs() const { return glyphs; }

private:
    int width = 0;
    std::vector<PlacedGlyph> glyphs;
};

} // namespace platform_freetype
