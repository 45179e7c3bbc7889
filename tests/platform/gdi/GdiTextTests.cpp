// GDI's font rules and text functions: the cell and extent of a run, the opaque cell, underline,
// and fonts resolved once and again after the text back end stops. The cell's ascent, which the
// subset does not report, comes from the text back end's test seam.
#include "platform/Win32.h"
#include "platform/freetype/FontTesting.h"
#include "platform/gdi/FontResolver.h"
#include "tests/support/TextTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform_freetype::DescribeFont;

TEST(GdiTextMetrics, FullWidthLabelMeasuresOneEmPerCharacterAtEitherWeight) {
    const std::wstring label = L"请输入超立方体维度：";
    DibCanvas canvas(8, 8);
    canvas.UseFont(CreateProgramFont(L"宋体", 10, true));
    EXPECT_EQ(Measure(canvas.dc, label).cx, 130) << "ten full-width characters of 13 px at weight 400";

    canvas.UseFont(CreateProgramFont(L"宋体", 10));
    EXPECT_EQ(Measure(canvas.dc, label).cx, 130)
        << "ten full-width characters at weight 700 in " << DescribeFont(canvas.font).family;
    const SIZE one = Measure(canvas.dc, L"请");
    EXPECT_EQ(Measure(canvas.dc, label).cy, one.cy) << "the cell height does not depend on the text";
}

TEST(GdiTextMetrics, EmptyTextHasNoWidthButTheCellHeight) {
    DibCanvas canvas(8, 8);
    canvas.UseFont(CreateProgramFont(L"宋体", 10));
    const SIZE empty = Measure(canvas.dc, L"", 0);
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, Measure(canvas.dc, L"0").cy);
    EXPECT_TRUE(TextOutW(canvas.dc, 0, 0, L"", 0));
    EXPECT_EQ(canvas.InkIn(0, 0, 8, 8), 0);
}

TEST(GdiTextMetrics, PositiveHeightIsTheCellZeroIsSixteenPixelsAndTheEmStopsAt2048) {
    DibCanvas canvas(8, 8);
    LOGFONTW description = {};
    lstrcpyW(description.lfFaceName, L"黑体");
    description.lfHeight = 40;
    canvas.UseFont(CreateFontIndirectW(&description));
    EXPECT_NEAR(Measure(canvas.dc, L"0").cy, 40, 1) << "a positive height asks for the cell's height";
    description.lfHeight = 0;
    canvas.UseFont(CreateFontIndirectW(&description));
    EXPECT_NEAR(Measure(canvas.dc, L"0").cy, 16, 1) << "height 0 is GDI's 16 pixel cell";
    description.lfHeight = -2048;
    canvas.UseFont(CreateFontIndirectW(&description));
    const int largest = Measure(canvas.dc, L"0").cy;
    description.lfHeight = -100000;
    canvas.UseFont(CreateFontIndirectW(&description));
    EXPECT_EQ(Measure(canvas.dc, L"0").cy, largest) << "em sizes beyond 2048 pixels are drawn at 2048";
    EXPECT_EQ(DescribeFont(canvas.font).pixelsPerEm, 2048);
}

TEST(GdiTextMetrics, WidthsAddUpCharacterByCharacter) {
    DibCanvas canvas(8, 8);
    canvas.UseFont(CreateProgramFont(L"宋体", 9));
    const std::wstring text = L"马上生成～～ 1791";
    int sum = 0;
    for (WCHAR c : text)
        sum += Measure(canvas.dc, &c, 1).cx;
    EXPECT_EQ(Measure(canvas.dc, text).cx, sum);
    EXPECT_EQ(Measure(canvas.dc, text.c_str(), 2).cx, Measure(canvas.dc, L"马上").cx)
        << "only `length` units count";
}

TEST(GdiTextOutput, PaintsTheCellWhiteAndTheGlyphsInGrey) {
    DibCanvas canvas(64, 32);
    canvas.UseFont(CreateProgramFont(L"宋体", 10));
    canvas.Fill(RGB(0, 0, 255));
    const SIZE cell = Measure(canvas.dc, L"1");
    ASSERT_TRUE(TextOutW(canvas.dc, 5, 3, L"1", 1));
    int darkest = 255;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            const uint8_t* p = canvas.Pixel(x, y);
            const bool inCell = x >= 5 && x < 5 + cell.cx && y >= 3 && y < 3 + cell.cy;
            if (!inCell) {
                ASSERT_TRUE(p[0] == 255 && p[1] == 0 && p[2] == 0) << "outside the cell at " << x << "," << y;
                continue;
            }
            ASSERT_TRUE(p[0] == p[1] && p[1] == p[2])
                << "black ink on white must give grey at " << x << "," << y;
            darkest = std::min<int>(darkest, p[2]);
        }
    }
    EXPECT_LT(darkest, 64) << "bold text has (nearly) full-ink pixels";
}

// GDI draws bold from FW_SEMIBOLD (600) on. The Chinese faces have one weight, so bold is the
// emboldened regular face: more ink in the same cell.
TEST(GdiTextOutput, WeightsFrom600OnDrawBoldAndBelowDoNot) {
    auto inkAt = [](int weight) {
        DibCanvas canvas(64, 32);
        LOGFONTW description = {};
        description.lfHeight = -13;
        description.lfWeight = weight;
        lstrcpyW(description.lfFaceName, L"宋体");
        canvas.UseFont(CreateFontIndirectW(&description));
        TextOutW(canvas.dc, 0, 0, L"维度", 2);
        return canvas.InkIn(0, 0, canvas.width, canvas.height);
    };
    const int regular = inkAt(FW_NORMAL), below = inkAt(599), semibold = inkAt(600), bold = inkAt(FW_BOLD);
    EXPECT_EQ(below, regular) << "weight 599 draws as regular";
    EXPECT_EQ(semibold, bold) << "weight 600 draws as bold";
    EXPECT_GT(bold, regular + 10) << "bold has more ink than regular";
}

// A line taller than the bitmap is cut at its bottom edge: the glyph rows below it are not drawn,
// not even the first one (the sanitizer build sees a write past the pixels).
TEST(GdiTextOutput, TextCrossingTheBitmapsBottomEdgeStopsAtIt) {
    DibCanvas canvas(64, 8);
    canvas.UseFont(CreateProgramFont(L"宋体", 10));
    ASSERT_GT(Measure(canvas.dc, L"维度").cy, canvas.height) << "the cell must reach past the bitmap";
    ASSERT_TRUE(TextOutW(canvas.dc, 0, 0, L"维度", 2));
    EXPECT_GT(canvas.InkIn(0, 0, canvas.width, canvas.height), 0) << "the rows inside are drawn";
}

TEST(GdiTextOutput, UnderlineDrawsBelowTheBaseline) {
    DibCanvas canvas(64, 32);
    LOGFONTW description = {};
    description.lfHeight = -13;
    description.lfWeight = FW_NORMAL;
    description.lfUnderline = TRUE;
    lstrcpyW(description.lfFaceName, L"宋体");
    canvas.UseFont(CreateFontIndirectW(&description));
    const SIZE cell = Measure(canvas.dc, L"  ");
    ASSERT_TRUE(TextOutW(canvas.dc, 0, 0, L"  ", 2));
    const int ascent = DescribeFont(canvas.font).ascent;
    EXPECT_EQ(canvas.InkIn(0, 0, cell.cx, ascent), 0) << "spaces draw nothing above the baseline";
    EXPECT_GE(canvas.InkIn(0, ascent, cell.cx, cell.cy), cell.cx) << "a line under both spaces";
}

TEST(GdiFontEngine, ThousandsOfFontsAreReleasedAndSurviveAnEngineRestart) {
    const GdiCounts before = CountGdi();
    std::vector<HFONT> fonts;
    for (int i = 0; i < 2000; ++i)
        fonts.push_back(CreateProgramFont(i % 2 ? L"宋体" : L"幼圆", i % 2 ? 10 : 60));
    EXPECT_EQ(CountGdi().fonts, before.fonts + 2000);
    DibCanvas canvas(8, 8);
    HGDIOBJ original = SelectObject(canvas.dc, fonts[1]);
    const SIZE measured = Measure(canvas.dc, L"请输入");

    // Stopping the engine drops faces and caches; fonts still alive start it again when used.
    platform_gdi::ShutdownText();
    const SIZE again = Measure(canvas.dc, L"请输入");
    EXPECT_EQ(again.cx, measured.cx);
    EXPECT_EQ(again.cy, measured.cy);

    SelectObject(canvas.dc, original);
    for (HFONT font : fonts)
        EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(CountGdi().fonts, before.fonts);
}

} // namespace
