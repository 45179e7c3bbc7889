// The FreeType text back end: which installed family a program face resolves to, fallback faces for
// the characters a face lacks, synthetic bold, and where glyphs sit in the cell.
#include "platform/Win32.h"
#include "platform/freetype/FontTesting.h"
#include "tests/support/TextTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <ostream>
#include <string>

namespace {

using platform_freetype::DescribeFont;
using platform_freetype::FamilyForCharacter;
using platform_freetype::FamilyInstalled;

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
    EXPECT_FALSE(platform_freetype::LoadedFaceNameFile().empty()) << "the face-name aliases were not loaded";
    DibCanvas canvas(8, 8);
    canvas.UseFont(CreateProgramFont(c.face, c.pointSize));
    const platform_freetype::FontDescription description = DescribeFont(canvas.font);
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

TEST(FreeTypeFallback, CharactersMissingFromTheRoundedFaceComeFromAnotherFace) {
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

TEST(FreeTypeFallback, EveryCharacterOfTheGenerateCaptionHasInk) {
    DibCanvas canvas(256, 32);
    canvas.UseFont(CreateProgramFont(L"宋体", 10));
    ExpectInkForEveryCharacter(canvas, L"马上生成～～");
}

TEST(FreeTypeFallback, SurrogatePairIsOneCharacter) {
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

TEST(FreeTypeOutput, GlyphsSitOnTheBaselineAtTheAscent) {
    // cwTeXYen's digits stand on the baseline (AR PL UMing's float above it).
    if (!FamilyInstalled("cwTeXYen"))
        GTEST_SKIP() << "cwTeXYen is not installed";
    DibCanvas canvas(128, 128);
    canvas.UseFont(CreateProgramFont(L"幼圆", 60));
    const platform_freetype::FontDescription description = DescribeFont(canvas.font);
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

} // namespace
