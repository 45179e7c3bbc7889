// gdi32's fonts and text: CreateFontIndirectW, GetTextExtentPoint32W and TextOutW. The text back end
// measures and draws the runs; the rules of GDI around them are kept here and in FontResolver.
#include "platform/Win32.h"
#include "platform/core/Utf16Text.h"
#include "platform/gdi/FontResolver.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/TextBackend.h"

#include <algorithm>
#include <memory>
#include <string>

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

// A run measured in its font: the cell, the advance width, and the text as the back end takes it.
struct MeasuredRun {
    FontCell cell;
    std::string utf8;
    int width = 0;
};

MeasuredRun Measure(TextFont& font, const WCHAR* text, int length) {
    MeasuredRun run;
    run.cell = CellOf(font);
    if (!run.cell.face || length <= 0)
        return run;
    run.utf8 = platform_utf16::Utf16ToUtf8(text, length);
    run.width = MeasureRun(*run.cell.face, run.cell.pixelsPerEm, run.utf8);
    return run;
}

void DrawLine(DibSurface& surface, int left, int right, int top, int thickness, const RECT& clip) {
    RECT line = {std::max<LONG>(left, clip.left), std::max<LONG>(top, clip.top),
                 std::min<LONG>(right, clip.right), std::min<LONG>(top + thickness, clip.bottom)};
    surface.Fill(line, textColour);
}

} // namespace

HFONT WINAPI CreateFontIndirectW(const LOGFONTW* font) {
    if (!font)
        return nullptr;
    // Only the description is kept; faces and glyphs are shared through the text back end.
    GdiFont* created = Track(std::make_unique<GdiFont>(*font));
    created->text.description.lfFaceName[LF_FACESIZE - 1] = 0;
    return reinterpret_cast<HFONT>(static_cast<GdiObject*>(created));
}

BOOL WINAPI GetTextExtentPoint32W(HDC dc, LPCWSTR text, int length, SIZE* size) {
    GdiFont* font = SelectedFont(dc);
    if (!font || !size || length < 0 || (!text && length > 0))
        return FALSE;
    const MeasuredRun run = Measure(font->text, text, length);
    size->cx = run.width;
    size->cy = run.cell.ascent + run.cell.descent;
    return TRUE;
}

BOOL WINAPI TextOutW(HDC dc, int x, int y, LPCWSTR text, int length) {
    MemoryDc* memoryDc = FindMemoryDc(dc);
    if (!memoryDc || length < 0 || (!text && length > 0))
        return FALSE;
    TextFont& font = memoryDc->font->text;
    DibSurface& surface = memoryDc->bitmap->surface;
    const MeasuredRun run = Measure(font, text, length);
    const FontCell& metrics = run.cell;
    // Opaque background mode: the whole cell is painted first. Ink stays inside the cell, so that
    // the measured extent is all the text covers.
    const RECT cell = {x, y, x + run.width, y + metrics.ascent + metrics.descent};
    surface.Fill(cell, backgroundColour);
    if (run.width > 0)
        DrawRun(*metrics.face, metrics.pixelsPerEm, run.utf8, cell, metrics.ascent, textColour, surface,
                cell);
    const int baseline = y + metrics.ascent;
    const int thickness = std::max(1, (metrics.pixelsPerEm + 8) / 16);
    if (font.description.lfUnderline)
        DrawLine(surface, cell.left, cell.right, baseline + std::max(1, metrics.descent / 2), thickness,
                 cell);
    if (font.description.lfStrikeOut)
        DrawLine(surface, cell.left, cell.right, baseline - metrics.pixelsPerEm * 3 / 10, thickness, cell);
    return TRUE;
}
