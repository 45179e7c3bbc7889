#include "tests/support/TextTestSupport.h"

#include "platform/gdi/FontResolver.h"
#include "platform/gdi/GdiCounts.h"

#include <gtest/gtest.h>

GdiCounts CountGdi() {
    GdiCounts counts;
    platform_gdi::CountGdiObjects(counts.memoryDcs, counts.fonts, counts.brushes, counts.bitmaps);
    return counts;
}

DibCanvas::DibCanvas(int canvasWidth, int canvasHeight)
    : width(canvasWidth), height(canvasHeight), stride((static_cast<size_t>(canvasWidth) * 3 + 3) / 4 * 4) {
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<uint8_t*>(pixels);
    SelectObject(dc, bitmap);
    Fill(RGB(255, 255, 255));
}

DibCanvas::~DibCanvas() {
    DeleteDC(dc);
    DeleteObject(bitmap);
    if (font)
        DeleteObject(font);
}

int DibCanvas::InkIn(int left, int top, int right, int bottom) const {
    int ink = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            ink += Red(x, y) < 255 ? 1 : 0;
    }
    return ink;
}

void DibCanvas::Fill(COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
}

void DibCanvas::UseFont(HFONT newFont) {
    SelectObject(dc, newFont);
    if (font)
        DeleteObject(font);
    font = newFont;
}

HFONT CreateProgramFont(const WCHAR* face, int pointSize, bool regularWeight) {
    LOGFONTW description = {};
    description.lfHeight = -MulDiv(pointSize, 96, 72);
    description.lfWeight = regularWeight ? FW_NORMAL : FW_BOLD;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_TT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = ANTIALIASED_QUALITY;
    lstrcpyW(description.lfFaceName, face);
    return CreateFontIndirectW(&description);
}

SIZE Measure(HDC dc, const WCHAR* text, int length) {
    SIZE size = {-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32W(dc, text, length, &size));
    return size;
}

SIZE Measure(HDC dc, const std::wstring& text) {
    return Measure(dc, text.c_str(), static_cast<int>(text.size()));
}

namespace {

// Stops the font engine after the last test, as the program does at exit, so that leak checkers
// find FreeType and fontconfig released.
class FontEngineShutdown : public ::testing::Environment {
public:
    void TearDown() override { platform_gdi::ShutdownText(); }
};

[[maybe_unused]] const ::testing::Environment* const fontEngineShutdown =
    ::testing::AddGlobalTestEnvironment(new FontEngineShutdown);

} // namespace
