// Texts rasterised with FreeType alone, for the raw references the benchmarks hold the program's text
// against: every glyph loaded, emboldened and rendered each time it is drawn, no cache.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// The advance of `c` in whole pixels, as a GDI text cell rounds it, plus `extra`.
inline int GlyphAdvance(FT_Face face, wchar_t c, int extra) {
    FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT);
    return static_cast<int>((face->glyph->linearHoriAdvance + 0x8000) >> 16) + extra;
}

// The width of `text`: its glyphs' advances, each with `extra` added.
inline int TextWidth(FT_Face face, const std::wstring& text, int extra) {
    int width = 0;
    for (wchar_t c : text)
        width += GlyphAdvance(face, c, extra);
    return width;
}

// Draws `text` into `coverage`, `stride` x `height` bytes row by row, with its baseline `ascent`
// rows down: each glyph emboldened by a 24th of the em as the program's bold is, where glyphs overlap
// the larger coverage kept. Pixels outside the buffer are dropped.
inline void DrawGlyphs(FT_Face face, const std::wstring& text, int pixelsPerEm, int ascent, int extra,
                       std::vector<uint8_t>& coverage, int stride, int height) {
    int penX = 0;
    for (wchar_t c : text) {
        const int advance = GlyphAdvance(face, c, extra);
        FT_GlyphSlot slot = face->glyph;
        FT_Outline_Embolden(&slot->outline, FT_MulDiv(pixelsPerEm, 64, 24));
        FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL);
        const FT_Bitmap& bitmap = slot->bitmap;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const int y = ascent - slot->bitmap_top + static_cast<int>(row);
            if (y < 0 || y >= height)
                continue;
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const int x = penX + slot->bitmap_left + static_cast<int>(column);
                if (x >= 0 && x < stride) {
                    uint8_t& target = coverage[static_cast<size_t>(y) * stride + x];
                    target = std::max<uint8_t>(target, bitmap.buffer[row * bitmap.pitch + column]);
                }
            }
        }
        penX += advance;
    }
}

} // namespace bench
