// One face of one font file, opened once with FreeType and shared by every font that uses it.
//
// Sizes are FreeType size objects kept per pixels-per-em, and rendered glyphs are cached per size
// and per style, so a thousand fonts of the same face and size cost one face and one glyph set.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform_gdi {

// A rendered glyph: greyscale coverage (0 = none, 255 = full ink) and where it goes.
struct GlyphImage {
    int advance = 0; // pixels to the next glyph's origin
    int left = 0;    // from the origin to the bitmap's left column
    int top = 0;     // from the baseline up to the bitmap's top row
    int width = 0;
    int rows = 0;
    std::vector<uint8_t> coverage; // width x rows, top row first
};

// Ascent and descent of the text cell in pixels, as GDI measures them (tmAscent, tmDescent).
struct CellMetrics {
    int ascent = 0;
    int descent = 0;
};

class FontFile {
public:
    // The largest size a font is drawn at; beyond it one glyph alone would take megabytes.
    static constexpr int largestPixelsPerEm = 2048;

    FontFile(FT_Library library, const std::string& path, int faceIndex);
    ~FontFile();
    FontFile(const FontFile&) = delete;
    FontFile& operator=(const FontFile&) = delete;

    // False when the file could not be opened or is not a scalable font.
    bool Usable() const { return face != nullptr; }
    const std::string& Family() const { return family; }
    const std::string& Path() const { return path; }

    unsigned GlyphIndex(char32_t character) const;
    CellMetrics Cell(int pixelsPerEm) const;
    // The pixels-per-em whose cell is `cellHeight` pixels high (a positive LOGFONT height).
    int PixelsPerEmForCell(int cellHeight) const;

    // `embolden` widens the outline and adds a pixel to the advance, GDI's synthetic bold; `slant`
    // shears it, GDI's synthetic italic. The reference stays valid until this object is destroyed.
    const GlyphImage& Glyph(unsigned glyphIndex, int pixelsPerEm, bool embolden, bool slant);

private:
    FT_Size SizeFor(int pixelsPerEm);
    void Render(GlyphImage& image, unsigned glyphIndex, int pixelsPerEm, bool embolden, bool slant);

    std::string path;
    std::string family;
    FT_Face face = nullptr; // owned
    long cellAscentUnits = 0;
    long cellDescentUnits = 0;
    std::unordered_map<int, FT_Size> sizes;          // owned through the face
    std::unordered_map<uint64_t, GlyphImage> glyphs; // by glyph, size and style
};

} // namespace platform_gdi
