// Kernel services: MulDiv's rounding, the wide string helpers, the module handle and the tick clock.
#include "platform/core/PlatformTesting.h"
#include "platform/core/Utf16Text.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct MulDivCase {
    int number;
    int numerator;
    int denominator;
    int expected;
};

TEST(MulDiv, RoundsToNearestLikeWindows) {
    const MulDivCase cases[] = {
        // Point sizes to pixel heights at 96 dots per inch: the values the text code relies on.
        {9, 96, 72, 12},
        {10, 96, 72, 13},
        {20, 96, 72, 27},
        {60, 96, 72, 80},
        // Halves go away from zero, in both directions.
        {3, 1, 2, 2},
        {-3, 1, 2, -2},
        {5, 1, 2, 3},
        {-10, 96, 72, -13},
        {10, -96, 72, -13},
        {10, 96, -72, -13},
        {-10, -96, -72, -13},
        {-10, -96, 72, 13},
        {0, 96, 72, 0},
        // The product is taken in 64 bits before dividing.
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {1 << 20, 1 << 20, 1 << 20, 1 << 20},
    };
    for (const MulDivCase& c : cases)
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << "MulDiv(" << c.number << ", " << c.numerator << ", " << c.denominator << ")";
}

TEST(MulDiv, ReportsZeroDenominatorAndOverflowAsMinusOne) {
    EXPECT_EQ(MulDiv(10, 96, 0), -1);
    EXPECT_EQ(MulDiv(0, 0, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, 2, 1), -1);
}

TEST(WideStrings, CopyAndLengthWorkOnUtf16Units) {
    const WCHAR* source = L"宋体\xD83D\xDE00x";
    WCHAR buffer[16] = {};
    EXPECT_EQ(lstrcpyW(buffer, source), buffer) << "lstrcpyW returns its destination";
    EXPECT_EQ(std::wstring(buffer), std::wstring(source));
    EXPECT_EQ(lstrlenW(source), 5) << "a surrogate pair counts as two units";
    EXPECT_EQ(lstrlenW(L""), 0);
    EXPECT_EQ(lstrlenW(nullptr), 0);
}

TEST(ModuleHandle, OwnModuleIsOneNonNullHandle) {
    const HMODULE module = GetModuleHandleW(nullptr);
    EXPECT_NE(module, nullptr);
    EXPECT_EQ(GetModuleHandleW(nullptr), module);
}

class TickClock : public ::testing::Test {
protected:
    void TearDown() override { platform_testing::UseRealTicks(); }
};

TEST_F(TickClock, ManualClockIsSetAdvancedAndAdvancedBySleep) {
    platform_testing::SetManualTicks(5000);
    EXPECT_TRUE(platform_testing::ManualTicksActive());
    EXPECT_EQ(GetTickCount(), 5000u);
    EXPECT_EQ(GetTickCount(), 5000u) << "manual time stands still between calls";
    platform_testing::AdvanceTicks(16);
    EXPECT_EQ(GetTickCount(), 5016u);
    Sleep(300);
    EXPECT_EQ(GetTickCount(), 5316u) << "Sleep advances the manual clock by its argument";
}

TEST_F(TickClock, ManualClockWrapsAt32Bits) {
    platform_testing::SetManualTicks(0xFFFFFFF0u);
    Sleep(0x20);
    EXPECT_EQ(GetTickCount(), 0x10u);
    platform_testing::AdvanceTicks(0xFFFFFFFFu);
    EXPECT_EQ(GetTickCount(), 0x0Fu);
}

TEST_F(TickClock, RealClockAdvancesAtLeastBySleep) {
    platform_testing::SetManualTicks(1);
    platform_testing::UseRealTicks();
    EXPECT_FALSE(platform_testing::ManualTicksActive());
    const DWORD before = GetTickCount();
    Sleep(30);
    const DWORD elapsed = GetTickCount() - before;
    // Both readings are truncated to whole milliseconds, so one may be lost.
    EXPECT_GE(elapsed, 29u);
}

TEST(Utf16Text, ConvertsBothWaysIncludingSurrogatePairs) {
    using platform_utf16::Utf16ToUtf8;
    using platform_utf16::Utf8ToUtf16;
    EXPECT_EQ(Utf16ToUtf8(L"QV作品---Tessary"), "QV\xE4\xBD\x9C\xE5\x93\x81---Tessary");
    EXPECT_EQ(Utf16ToUtf8(L"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), std::wstring(L"\xD83D\xDE00"));
    EXPECT_EQ(Utf8ToUtf16("\xE5\xAE\x8B\xE4\xBD\x93"), std::wstring(L"宋体"));
    EXPECT_EQ(Utf16ToUtf8(nullptr), "");
}

TEST(Utf16Text, MalformedInputBecomesReplacementCharacters) {
    using platform_utf16::Utf16ToUtf8;
    using platform_utf16::Utf8ToUtf16;
    EXPECT_EQ(Utf16ToUtf8(L"a\xD800z"), "a\xEF\xBF\xBDz") << "unpaired high surrogate";
    EXPECT_EQ(Utf16ToUtf8(L"\xDC00"), "\xEF\xBF\xBD") << "lone low surrogate";
    EXPECT_EQ(Utf8ToUtf16("a\xC0\xAFz"), std::wstring(L"a\xFFFD\xFFFDz")) << "overlong slash";
    EXPECT_EQ(Utf8ToUtf16("\xE4\xBD"), std::wstring(L"\xFFFD\xFFFD")) << "truncated sequence";
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), std::wstring(L"\xFFFD\xFFFD\xFFFD")) << "encoded surrogate";
}

} // namespace
