// Fonts, text measurement and text output of the GDI layer on FreeType and fontconfig.
#include "platform/Win32.h"
#include "platform/freetype/FontTesting.h"
#include "platform/gdi/GdiCounts.h"
#include "platform/gdi/TextBackend.h"
#include "tests/text/TextTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace {

using platform_gdi::DescribeFont;
using platform_gdi::FamilyForCharacter;
using platform_gdi::FamilyInstalled;

SIZE Measure(HDC dc, const WCHAR* text, int length) {
    SIZE size = {-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32W(dc, text, length, &size));
    return size;
}

SIZE Measure(HDC dc, const std::wstring& text) {
    return Measure(dc, text.c_str(), static_cast<int>(text.size()));
}

// GDI's cell: the OS/2 Windows ascent and descent scaled to the em size and rounded.
int CellHeight(int winAscent, int winDescent, int unitsPerEm, int pixelsPerEm) {
    return static_cast<int>(std::lround(double(winAscent) * pixelsPerEm / unitsPerEm) +
                            std::lround(double(winDescent) * pixelsPerEm / unitsPerEm));
}

struct FaceCase {
    const WCHAR* face;
    int pointSize;
    const char* family;
    int winAscent, winDescent, unitsPerEm; // from the family's OS/2 table
};

// A failure names the family and size it was about, not the bytes of the case.
void PrintTo(const FaceCase& c, std::ostream* out) {
    *out << c.family << " at " << c.pointSize << " pt";
}

std::string FaceCaseName(const ::testing::TestParamInfo<FaceCase>& info) {
    std::string name;
    for (const char* p = info.param.family; *p; ++p)
        if (std::isalnum(static_cast<unsigned char>(*p)))
            name += *p;
    return name + "_" + std::to_string(info.param.pointSize) + "pt";
}

class ProgramFace : public ::testing::TestWithParam<FaceCase> {};

TEST_P(ProgramFace, ResolvesToTheIntendedFamilyWithGdiCellHeight) {
    const FaceCase& c = GetParam();
    if (!FamilyInstalled(c.family))
        GTEST_SKIP() << c.family << " is not installed; the face resolves to whatever fontconfig offers";
    EXPECT_FALSE(platform_gdi::LoadedFaceNameFile().empty()) << "the face-name aliases were not loaded";
    DibCanvas canvas(8, 8);
    canvas.UseFont(CreateProgramFont(c.face, c.pointSize));
    const platform_gdi::FontDescription description = DescribeFont(canvas.font);
    EXPECT_EQ(description.family, c.family);
    const int pixelsPerEm = MulDiv(c.pointSize, 96, 72);
    EXPECT_EQ(description.pixelsPerEm, pixelsPerEm);
    const int cell = CellHeight(c.winAscent, c.winDescent, c.unitsPerEm, pixelsPerEm);
    EXPECT_EQ(Measure(canvas.dc, L"0").cy, cell)
        << "cell height of " << c.family << " at " << pixelsPerEm << " px";
    EXPECT_EQ(description.ascent + description.descent, cell);
    // None of the three families has a bold face: weight 700 is synthesised, as for the Windows fonts.
    EXPECT_TRUE(description.syntheticBold);
}

INSTANTIATE_TEST_SUITE_P(TextFaces, ProgramFace,
                         ::testing::Values(FaceCase{L"宋体", 10, "AR PL UMing CN", 917, 155, 1024},
                                           FaceCase{L"宋体", 9, "AR PL UMing CN", 917, 155, 1024},
                                           FaceCase{L"黑体", 20, "WenQuanYi Micro Hei", 1918, 483, 2048},
                                           FaceCase{L"幼圆", 60, "cwTeXYen", 800, 200, 1000}),
                         FaceCaseName);

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

// Every character of `text`, drawn in `canvas`'s font, leaves ink inside its own advance.
void ExpectInkForEveryCharacter(DibCanvas& canvas, const std::wstring& text) {
    ASSERT_TRUE(TextOutW(canvas.dc, 0, 0, text.c_str(), static_cast<int>(text.size())));
    const int height = Measure(canvas.dc, text).cy;
    int x = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const int advance = Measure(canvas.dc, &text[i], 1).cx;
        EXPECT_GT(canvas.InkIn(x, 0, x + advance, height), 3)
            << "no ink for U+" << std::hex << static_cast<unsigned>(text[i]) << " in "
            << DescribeFont(canvas.font).family << " (drawn from "
            << FamilyForCharacter(canvas.font, static_cast<char32_t>(text[i])) << ")";
        x += advance;
    }
}

TEST(GdiTextFallback, CharactersMissingFromTheRoundedFaceComeFromAnotherFace) {
    if (!FamilyInstalled("cwTeXYen"))
        GTEST_SKIP() << "cwTeXYen is not installed";
    DibCanvas canvas(512, 128);
    canvas.UseFont(CreateProgramFont(L"幼圆", 60));
    EXPECT_EQ(FamilyForCharacter(canvas.font, U'7'), "cwTeXYen") << "digits come from the face itself";
    for (char32_t missing : {U'请', U'输', U'维'}) {
        const std::string family = FamilyForCharacter(canvas.font, missing);
        EXPECT_FALSE(family.empty()) << "no installed face was found for U+" << std::hex << unsigned(missing);
        EXPECT_NE(family, "cwTeXYen");
    }
    ExpectInkForEveryCharacter(canvas, L"请输维");
}

TEST(GdiTextFallback, EveryCharacterOfTheGenerateCaptionHasInk) {
    DibCanvas canvas(256, 32);
    canvas.UseFont(CreateProgramFont(L"宋体", 10));
    ExpectInkForEveryCharacter(canvas, L"马上生成～～");
}

TEST(GdiTextFallback, SurrogatePairIsOneCharacter) {
    DibCanvas canvas(128, 32);
    canvas.UseFont(CreateProgramFont(L"宋体", 10));
    const char32_t boldCapitalA = 0x1D400;
    if (FamilyForCharacter(canvas.font, boldCapitalA).empty())
        GTEST_SKIP() << "no installed font has U+1D400";
    const WCHAR pair[] = {0xD835, 0xDC00};
    const int pairWidth = Measure(canvas.dc, pair, 2).cx;
    const int loneUnits = Measure(canvas.dc, pair, 1).cx + Measure(canvas.dc, pair + 1, 1).cx;
    EXPECT_GT(pairWidth, 0);
    EXPECT_LT(pairWidth, loneUnits) << "the pair must be one glyph, not two replacement characters";
    ASSERT_TRUE(TextOutW(canvas.dc, 0, 0, pair, 2));
    EXPECT_GT(canvas.InkIn(0, 0, pairWidth, Measure(canvas.dc, pair, 2).cy), 3);
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

TEST(GdiTextOutput, GlyphsSitOnTheBaselineAtTheAscent) {
    // cwTeXYen's digits stand on the baseline (AR PL UMing's float above it).
    if (!FamilyInstalled("cwTeXYen"))
        GTEST_SKIP() << "cwTeXYen is not installed";
    DibCanvas canvas(128, 128);
    canvas.UseFont(CreateProgramFont(L"幼圆", 60));
    const platform_gdi::FontDescription description = DescribeFont(canvas.font);
    ASSERT_TRUE(TextOutW(canvas.dc, 0, 0, L"1", 1));
    int top = -1, bottom = -1;
    for (int y = 0; y < canvas.height; ++y) {
        if (canvas.InkIn(0, y, canvas.width, y + 1) > 0) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    }
    ASSERT_GE(bottom, 0) << "no ink at all";
    // Emboldening spreads the digit by a pixel or two.
    EXPECT_GE(bottom, description.ascent - 2);
    EXPECT_LE(bottom, description.ascent + 2);
    EXPECT_GT(bottom - top, description.pixelsPerEm / 2) << "a digit is more than half an em tall";
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
