// Memory DCs, brushes, DIB sections and object selection of the GDI layer.
#include "platform/Win32.h"
#include "platform/gdi/GdiCounts.h"
#include "tests/support/TextTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

BITMAPINFO Header(int width, int height, int bitCount = 24) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

TEST(GdiDeviceContext, NewDcStartsWithStockObjectsThatAreNotCountedAndSurviveDeletion) {
    const GdiCounts before = CountGdi();
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(CountGdi().memoryDcs, before.memoryDcs + 1);

    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
    HGDIOBJ defaultBrush = SelectObject(dc, brush);
    ASSERT_NE(defaultBrush, nullptr) << "a new DC must report the brush it started with";
    HFONT font = CreateProgramFont(L"宋体", 10);
    HGDIOBJ defaultFont = SelectObject(dc, font);
    ASSERT_NE(defaultFont, nullptr) << "a new DC must report the font it started with";
    EXPECT_EQ(CountGdi().fonts, before.fonts + 1) << "the default font is not a live object";
    EXPECT_EQ(CountGdi().brushes, before.brushes + 1);

    // The program deletes whatever SelectObject hands back; for defaults that must do no harm.
    EXPECT_TRUE(DeleteObject(defaultFont));
    EXPECT_TRUE(DeleteObject(defaultBrush));
    EXPECT_EQ(SelectObject(dc, defaultFont), font) << "the default font must still be selectable";
    EXPECT_EQ(SelectObject(dc, defaultBrush), brush);

    EXPECT_TRUE(DeleteObject(font));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(CountGdi(), before);
}

TEST(GdiDeviceContext, SelectedObjectsCannotBeDeletedUntilReleasedByTheDc) {
    const GdiCounts before = CountGdi();
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateProgramFont(L"宋体", 10);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    BITMAPINFO info = Header(4, -4);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ originalFont = SelectObject(dc, font);
    HGDIOBJ originalBrush = SelectObject(dc, brush);
    HGDIOBJ originalBitmap = SelectObject(dc, bitmap);

    EXPECT_FALSE(DeleteObject(font)) << "a selected font must not be deleted";
    EXPECT_FALSE(DeleteObject(brush)) << "a selected brush must not be deleted";
    EXPECT_FALSE(DeleteObject(bitmap)) << "a selected bitmap must not be deleted";
    EXPECT_EQ(CountGdi().fonts, before.fonts + 1);

    // Selecting the originals back frees them.
    EXPECT_EQ(SelectObject(dc, originalFont), font);
    EXPECT_EQ(SelectObject(dc, originalBrush), brush);
    EXPECT_EQ(SelectObject(dc, originalBitmap), bitmap);
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(font)) << "a deleted handle is no object any more";
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(CountGdi(), before);
}

TEST(GdiDeviceContext, DeletingTheDcFreesItsSelectedObjectsForDeletion) {
    const GdiCounts before = CountGdi();
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateProgramFont(L"宋体", 10);
    BITMAPINFO info = Header(2, -2);
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
    SelectObject(dc, font);
    SelectObject(dc, bitmap);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(CountGdi().bitmaps, before.bitmaps + 1) << "DeleteDC must not delete the selected bitmap";
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(CountGdi(), before);
}

TEST(GdiDeviceContext, BitmapGoesIntoOneDcAtATimeWhileFontsAreShared) {
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    BITMAPINFO info = Header(2, -2);
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
    HFONT font = CreateProgramFont(L"宋体", 10);
    ASSERT_NE(SelectObject(first, bitmap), nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr) << "a bitmap selected elsewhere must be refused";
    EXPECT_NE(SelectObject(first, font), nullptr);
    EXPECT_NE(SelectObject(second, font), nullptr);
    DeleteDC(first);
    DeleteDC(second);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(font));
}

TEST(GdiDeviceContext, RefusesForeignHandlesAndReportsScreenResolution) {
    int notAnObject = 0;
    EXPECT_EQ(SelectObject(nullptr, nullptr), nullptr);
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_FALSE(DeleteObject(&notAnObject));
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(&notAnObject)));
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(dc, &notAnObject), nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_EQ(MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72), 13) << "10 points at 96 dpi";
    DeleteDC(dc);
}

TEST(GdiDibSection, TopDownRowsArePaddedToFourBytesInBlueGreenRedOrder) {
    BITMAPINFO info = Header(5, -3);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_NE(bits, nullptr);
    const size_t stride = 16; // 5 pixels x 3 bytes = 15, padded to 16
    const auto* pixels = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; i < stride * 3; ++i)
        ASSERT_EQ(pixels[i], 0) << "a new DIB section is zero-filled, byte " << i;

    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    // Reaches past the right and bottom edges: the fill is clipped to the bitmap.
    RECT area = {3, 1, 50, 50};
    EXPECT_NE(FillRect(dc, &area, brush), 0);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const uint8_t* p = pixels + y * stride + 3 * x;
            const bool inside = x >= 3 && y >= 1;
            EXPECT_EQ(p[0], inside ? 30 : 0) << "blue at " << x << "," << y;
            EXPECT_EQ(p[1], inside ? 20 : 0) << "green at " << x << "," << y;
            EXPECT_EQ(p[2], inside ? 10 : 0) << "red at " << x << "," << y;
        }
        EXPECT_EQ(pixels[y * stride + 15], 0) << "the padding byte of row " << y << " stays untouched";
    }
    DeleteDC(dc);
    DeleteObject(brush);
    DeleteObject(bitmap);
}

TEST(GdiDibSection, PositiveHeightStoresTheBottomRowFirst) {
    BITMAPINFO info = Header(1, 2);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    RECT topRow = {0, 0, 1, 1};
    FillRect(dc, &topRow, brush);
    const auto* pixels = static_cast<const uint8_t*>(bits);
    EXPECT_EQ(pixels[2], 0) << "memory row 0 is the bottom row";
    EXPECT_EQ(pixels[4 + 2], 255) << "memory row 1 is the top row";
    DeleteDC(dc);
    DeleteObject(brush);
    DeleteObject(bitmap);
}

TEST(GdiDibSection, EmptyOrUnsupportedRequestsFailWithoutPixels) {
    const GdiCounts before = CountGdi();
    void* bits = reinterpret_cast<void*>(1);
    BITMAPINFO empty = Header(0, -16);
    EXPECT_EQ(CreateDIBSection(nullptr, &empty, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr) << "a failed request must not leave a pixel pointer behind";
    BITMAPINFO flat = Header(16, 0);
    EXPECT_EQ(CreateDIBSection(nullptr, &flat, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    BITMAPINFO paletted = Header(4, 4, 8);
    EXPECT_EQ(CreateDIBSection(nullptr, &paletted, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(CountGdi(), before);
}

} // namespace
