// The two helpers of text textures: power-of-two sizes and number formatting.
#include "gui/FormatWide.h"
#include "gui/TextTexture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <string>

namespace {

TEST(NextPowerOfTwo, IsTheSmallestPowerNotBelowTheSize) {
    const struct {
        int32_t n, expected;
    } cases[] = {{0, 0},   {1, 1},    {2, 2},     {3, 4},       {13, 16},    {16, 16},
                 {64, 64}, {65, 128}, {100, 128}, {1023, 1024}, {1025, 2048}};
    for (const auto& c : cases)
        EXPECT_EQ(NextPowerOfTwo(c.n), c.expected) << "n = " << c.n;
}

TEST(NextPowerOfTwo, IsExactForEveryTextSize) {
    for (int32_t n = 1; n <= 1 << 16; ++n) {
        const int32_t p = NextPowerOfTwo(n);
        ASSERT_TRUE(p >= n && p / 2 < n && (p & (p - 1)) == 0) << "n = " << n << " gave " << p;
    }
}

TEST(FormatWide, FormatsDecimalNumbers) {
    WCHAR buffer[16];
    EXPECT_EQ(FormatWide(buffer, 16, L"%d", 0), 1);
    EXPECT_EQ(std::wstring(buffer), L"0");
    EXPECT_EQ(FormatWide(buffer, 16, L"%d", 1791), 4);
    EXPECT_EQ(std::wstring(buffer), L"1791");
    EXPECT_EQ(FormatWide(buffer, 16, L"%d", INT_MAX), 10);
    EXPECT_EQ(std::wstring(buffer), L"2147483647");
    FormatWide(buffer, 16, L"第%d面", 7);
    EXPECT_EQ(std::wstring(buffer), L"第7面");
}

TEST(FormatWide, TruncatesOutputThatDoesNotFitAndStillTerminatesIt) {
    WCHAR buffer[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(FormatWide(buffer, 4, L"%d", 123456), -1) << "a cut output is reported";
    EXPECT_EQ(std::wstring(buffer), L"123");
    EXPECT_EQ(FormatWide(buffer, 4, L"%d", 123), 3) << "three digits and the zero fit exactly";
    EXPECT_EQ(std::wstring(buffer), L"123");
    WCHAR one[1] = {L'x'};
    EXPECT_EQ(FormatWide(one, 1, L"%d", 5), -1);
    EXPECT_EQ(one[0], 0);
}

} // namespace
