// gdi32's fonts and text: CreateFontIndirectW, GetTextExtentPoint32W and TextOutW.
#include "platform/freetype/FontFile.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/freetype/TextRun.h"
#include "platform/Win32.h"

#include <algorithm>
#include <memory>

using namespace platform_gdi;

namespace {

// A memory DC's text attributes are never changed by the program, so they are Windows' defaults:
// black text on an opaque white background, aligned at the top left.
constexpr COLORREF textColour = RGB(0, 0, 0);
constexpr COLORREF backgroundColour = RGB(255, 255, 255);

GdiFont* SelectedFont(HDC dc) {
    MemoryDc* memoryDc = FindMemoryDc(dc);
    return memoryDc ? memoryDc->font : nullptr;
}

void DrawLine(GdiBitmap& bitmap, int left, int right, int top, int thickness, const RECT& clip) {
    RECT line = {std::max<LONG>(left, clip.left), std::max<LONG>(top, clip.top),
                 std::min<LONG>(right, clip.right), std::min<LONG>(top + thickness, clip.bottom)};
    bitmap.Fill(line, textColour);
}

} // namespace

HFONT WINAPI CreateFontIndirectW(const LOGFONTW* font) {
    if (!font)
        return nullptr;
    // Only the description is kept; faces and glyphs are shared through the font engine.
    GdiFont* created = Track(std::make_unique<GdiFont>(*font));
    created->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
    return reinterpret_cast<HFONT>(static_cast<GdiObject*>(created));
}

BOOL WINAPI GetTextExtentPoint32W(HDC dc, LPCWSTR text, int length, SIZE* size) {
    GdiFont* font = SelectedFont(dc);
    if (!font || !size || length < 0 || (!text && length > 0))
        return FALSE;
    const TextRun run(*font, text, length);
    size->cx = run.Width();
    size->cy = run.Ascent() + run.Descent();
    return TRUE;
}

BOOL WINAPI TextOutW(HDC dc, int x, int y, LPCWSTR text, int length) {
    MemoryDc* memoryDc = FindMemoryDc(dc);
    if (!memoryDc || length < 0 || (!text && length > 0))
        return FALSE;
    const TextRun run(*memoryDc->font, text, length);
    GdiBitmap& bitmap = *memoryDc->bitmap;
    // Opaque background mode: the whole cell is painted first. Ink stays inside the cell, so that
    // the measured extent is all the text covers.
    const RECT cell = {x, y, x + run.Width(), y + run.Ascent() + run.Descent()};
    bitmap.Fill(cell, backgroundColour);
    const int baseline = y + run.Ascent();
    for (const PlacedGlyph& glyph : run.Glyphs()) {
        const GlyphImage& image = *glyph.image;
        const int left = x + glyph.x + image.left;
        const int top = baseline - image.top;
        for (int row = 0; row < image.rows; ++row) {
            const uint8_t* coverage = &image.coverage[static_cast<size_t>(row) * image.width];
            bitmap.BlendSpan(left, top + row, coverage, image.width, textColour, cell);
        }
    }
    const LOGFONTW& description = memoryDc->font->logFont;
    const int thickness = std::max(1, (run.PixelsPerEm() + 8) / 16);
    if (description.lfUnderline)
        DrawLine(bitmap, cell.left, cell.right, baseline + std::max(1, run.Descent() / 2), thickness, cell);
    if (description.lfStrikeOut)
        DrawLine(bitmap, cell.left, cell.right, baseline - run.PixelsPerEm() * 3 / 10, thickness, cell);
    return TRUE;
}
