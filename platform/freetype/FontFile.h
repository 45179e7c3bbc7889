// One face of one font file, opened once with FreeType and shared by every font that uses it.
//
// Sizes are FreeType size objects kept per pixels-per-em, and rendered glyphs are cached per size
// and per style, so a thousand fonts of the same face and size cost one face and one glyph set.
#pragma once

#include "platform/gdi/TextBackend.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform_freetype {

// A rendered glyph: greyscale coverage (0 = none, 255 = full ink) and where it goes.
struct GlyphImage {
    int advance = 0; // pixels to the next glyph's origin
    int left = 0;    // from the origin to the bitmap's left column
    int top = 0;     // from the baseline up to the bitmap's top row
    int width = 0;
    int rows = 0;
    std::vector<uint8_t> coverage; // width x rows, top row first
};

class FontFile {
public:
    FontFile(FT_Library library, const std::string& path, int faceIndex);
    ~FontFile();
    FontFile(const FontFile&) = delete;
    FontFile& operator=(const FontFile&) = delete;

    // False when the file could not be opened or is not a scalable font.
    bool Usable() const { return face != nullptr; }
    const std::string& Family() const { return family; }
    const std::string& Path() const { return path; }

    unsigned GlyphIndex(char32_t character) const;
    // Units per em and the Windows ascent and descent, from which the gdi layer makes the cell.
    platform_gdi::FaceMetrics Metrics() const;

    // `embolden` widens the outline and adds a pixel to the advance, GDI's synthetic bold; `slant`
    // shears it, GDI's synthetic italic. The reference stays valid until this object is destroyed.
    const GlyphImage& Glyph(unsigned glyphIndex, int pixelsPerEm, bool embolden, bool slant);

private:
    FT_Size SizeFor(int pixelsPerEm);
    void Render(GlyphImage& image, unsigned glyphIndex, int pixelsPerEm, bool embolden, bool slant);

    std::string path;
    std::string family;
    FT_Face face = nullptr; // owned
    int cellAscentUnits = 0;
    int cellDescentUnits = 0;
    std::unordered_map<int, FT_Size> sizes;          // owned through the face
    std::unordered_map<uint64_t, GlyphImage> glyphs; // by glyph, size and style
};

} // namespace platform_freetype
