// The clips' own lossless WebP encoder, read back by libwebp's decoder: every picture must come back
// exactly, whatever its size and content; and the prefix codes it builds must fit the format.
#include "export/LosslessWebp.h"
#include "export/PrefixCode.h"
#include "export/RgbaPicture.h"

#include <gtest/gtest.h>
#include <webp/decode.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>

namespace {

RgbaPicture Filled(int width, int height, const std::function<uint32_t(int x, int y)>& rgbaAt) {
    RgbaPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t rgba = rgbaAt(x, y);
            uint8_t* pixel = picture.Row(y) + x * 4;
            for (int c = 0; c < 4; ++c)
                pixel[c] = static_cast<uint8_t>(rgba >> (24 - 8 * c));
        }
    return picture;
}

// Pixels of `picture` that libwebp reads back otherwise from the encoded bytes; -1 when it cannot
// read them at all.
int WrongPixels(const RgbaPicture& picture) {
    LosslessWebp encoder;
    const std::vector<uint8_t> bytes = encoder.Encode(
        picture.pixels.data(), static_cast<size_t>(picture.width) * 4, picture.width, picture.height);
    int width = 0, height = 0;
    uint8_t* back = WebPDecodeRGBA(bytes.data(), bytes.size(), &width, &height);
    if (!back || width != picture.width || height != picture.height) {
        WebPFree(back);
        return -1;
    }
    int wrong = 0;
    for (size_t i = 0; i < picture.pixels.size(); i += 4)
        wrong += std::memcmp(back + i, picture.pixels.data() + i, 4) != 0;
    WebPFree(back);
    return wrong;
}

TEST(LosslessWebpTest, EveryPictureReadsBackExactly) {
    std::mt19937 random(7);
    const auto noise = [&](int, int) { return static_cast<uint32_t>(random()); };
    // A skewed noise: most channels near 0, some anywhere, so that the codes have long and short
    // symbols; and half-transparent pixels, whose colour must be kept too.
    const auto skewed = [&](int, int) {
        const uint32_t r = random();
        return (r & 0x0f0f0f00u) | (r % 7 == 0 ? r & 0xff : 0x80);
    };
    const auto stripes = [](int x, int y) { return (y / 3) % 2 ? 0xffffffffu : 0x102030ffu + (x % 5 << 8); };
    const auto flat = [](int, int) { return 0x000000ffu; };
    const auto line = [](int x, int y) { return x == y || x == 2 * y ? 0xffffffffu : 0x000000ffu; };
    // Bands of three rows whose second row differs from the first by a small step per column,
    // and the third as much again on its left half, by the next column's step on its right: the
    // predictor leaves the steps, so half of the third row copies the second's residuals, and the
    // rest are literals and cache hits that only a cache that took in the copied pixels reads right.
    std::vector<uint32_t> base(64 * 10), step(64 * 10 + 1);
    for (uint32_t& value : base)
        value = 0x28282800u + (static_cast<uint32_t>(random()) & 0x07070700u);
    for (uint32_t& value : step)
        value = static_cast<uint32_t>(random()) & 0x07070700u;
    const auto steps = [&](int x, int y) {
        const int at = y / 3 * 64 + x, row = y % 3;
        const uint32_t odd = x % 2 ? 0xa0a0a000u : 0; // columns far apart: the pixel above predicts
        const uint32_t third = x < 32 ? 2 * step[at] : step[at] + step[at + 1];
        return base[at] + odd + (row == 0 ? 0 : row == 1 ? step[at] : third) + 0xff;
    };
    struct Case {
        const char* name;
        int width, height;
        std::function<uint32_t(int, int)> rgbaAt;
    };
    const Case cases[] = {
        {"one pixel", 1, 1, noise},
        {"black, in hits of the cache alone", 3, 1, flat},
        {"a column", 1, 9, noise},
        {"a row", 9, 1, noise},
        {"noise", 61, 47, noise},
        {"skewed noise", 200, 100, skewed},
        {"stripes copied from the row above", 70, 40, stripes},
        {"flat, in copies longer than the longest", 300, 200, flat},
        {"thin lines on black", 128, 96, line},
        {"residuals copied from the row above, in part", 64, 30, steps},
        {"the widest row", 16384, 2, stripes},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WrongPixels(Filled(c.width, c.height, c.rgbaAt)), 0)
            << c.name << ", " << c.width << " x " << c.height << " (-1: libwebp cannot read it)";
}

// A Fibonacci-like count needs a code deeper than 15 bits: the code is limited to 15 and complete
// (its lengths' Kraft sum is exactly 1), as libwebp's decoder requires.
TEST(LosslessWebpTest, PrefixCodesAreCompleteAndAtMostFifteenBits) {
    std::vector<uint32_t> counts(40, 0);
    uint32_t a = 1, b = 1;
    for (size_t i = 0; i < 30; ++i, std::swap(a, b), b += a)
        counts[i] = a;
    const std::vector<uint8_t> lengths = PrefixCode::Lengths(counts, 15);
    double kraft = 0.0;
    int longest = 0;
    for (size_t i = 0; i < counts.size(); ++i) {
        EXPECT_EQ(lengths[i] == 0, counts[i] == 0) << "symbol " << i;
        if (lengths[i])
            kraft += 1.0 / (1 << lengths[i]);
        longest = std::max<int>(longest, lengths[i]);
    }
    EXPECT_LE(longest, 15);
    EXPECT_DOUBLE_EQ(kraft, 1.0);
}

} // namespace
