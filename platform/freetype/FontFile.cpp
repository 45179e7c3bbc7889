#include "platform/freetype/FontFile.h"

#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include FT_SIZES_H

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform_freetype {

FontFile::FontFile(FT_Library library, const std::string& filePath, int faceIndex) : path(filePath) {
    if (FT_New_Face(library, filePath.c_str(), faceIndex, &face) != 0) {
        face = nullptr;
        return;
    }
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        FT_Done_Face(face);
        face = nullptr;
        return;
    }
    family = face->family_name ? face->family_name : "";
    // GDI's cell is the Windows ascent and descent of the OS/2 table; fonts without one use the
    // horizontal header, as GDI does.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        cellAscentUnits = os2->usWinAscent;
        cellDescentUnits = os2->usWinDescent;
    } else {
        cellAscentUnits = face->ascender;
        cellDescentUnits = -face->descender;
    }
}

FontFile::~FontFile() {
    // Done_Face also frees the size objects made for the face.
    if (face)
        FT_Done_Face(face);
}

unsigned FontFile::GlyphIndex(char32_t character) const {
    return face ? FT_Get_Char_Index(face, character) : 0;
}

platform_gdi::FaceMetrics FontFile::Metrics() const {
    platform_gdi::FaceMetrics metrics;
    if (face) {
        metrics.unitsPerEm = face->units_per_EM;
        metrics.winAscent = cellAscentUnits;
        metrics.winDescent = cellDescentUnits;
    }
    return metrics;
}

FT_Size FontFile::SizeFor(int pixelsPerEm) {
    auto found = sizes.find(pixelsPerEm);
    if (found != sizes.end())
        return found->second;
    FT_Size size = nullptr;
    if (FT_New_Size(face, &size) != 0)
        return nullptr;
    FT_Activate_Size(size);
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelsPerEm)) != 0) {
        FT_Done_Size(size);
        return nullptr;
    }
    sizes.emplace(pixelsPerEm, size);
    return size;
}

const GlyphImage& FontFile::Glyph(unsigned glyphIndex, int pixelsPerEm, bool embolden, bool slant) {
    const uint64_t key = static_cast<uint64_t>(glyphIndex) | static_cast<uint64_t>(pixelsPerEm) << 32 |
                         static_cast<uint64_t>(embolden) << 48 | static_cast<uint64_t>(slant) << 49;
    auto found = glyphs.find(key);
    if (found != glyphs.end())
        return found->second;
    GlyphImage& image = glyphs[key];
    if (face)
        Render(image, glyphIndex, pixelsPerEm, embolden, slant);
    return image;
}

void FontFile::Render(GlyphImage& image, unsigned glyphIndex, int pixelsPerEm, bool embolden, bool slant) {
    FT_Size size = SizeFor(pixelsPerEm);
    if (!size)
        return;
    FT_Activate_Size(size);
    // Outlines only: embedded bitmaps are monochrome, and antialiased text wants greyscale. Light
    // hinting snaps to the pixel grid vertically only, which keeps the designed advance widths.
    if (FT_Load_Glyph(face, glyphIndex, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0)
        return;
    FT_GlyphSlot slot = face->glyph;
    // The advance is the design advance rounded to whole pixels. Synthetic bold thickens the strokes
    // but keeps the advance, so full-width text stays one em per character at either weight, which
    // is what the program's panel layout was drawn for.
    image.advance = static_cast<int>((slot->linearHoriAdvance + 0x8000) >> 16);
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (slant)
            FT_GlyphSlot_Oblique(slot);
        if (embolden)
            FT_Outline_Embolden(&slot->outline, FT_MulDiv(pixelsPerEm, 64, 24));
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return;
    image.left = slot->bitmap_left;
    image.top = slot->bitmap_top;
    image.width = static_cast<int>(bitmap.width);
    image.rows = static_cast<int>(bitmap.rows);
    image.coverage.resize(static_cast<size_t>(image.width) * image.rows);
    for (int row = 0; row < image.rows; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        std::memcpy(&image.coverage[static_cast<size_t>(row) * image.width], source, image.width);
    }
    // Coverage from FreeType may use fewer than 256 levels; stretch it so full ink is 255.
    if (bitmap.num_grays != 256 && bitmap.num_grays > 1) {
        for (uint8_t& value : image.coverage)
            value = static_cast<uint8_t>(value * 255 / (bitmap.num_grays - 1));
    }
}

} // namespace platform_freetype
