#include "export/LosslessWebp.h"

#include "export/PrefixCode.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr uint32_t signature = 0x2f;
constexpr int subtractGreen = 2, predictor = 0; // transform types
constexpr int selectPredictor = 11;
constexpr int predictorBlockBits = 9; // one block is 512 x 512 pixels, the largest the format has
constexpr int cacheBits = 10;
constexpr int longestCopy = 4096;
// Copies shorter than this cost more than their literals and cache hits.
constexpr int shortestCopy = 4;
// Distance codes 1 and 2 name the pixel above and the pixel before; code d + 120 names distance d.
constexpr uint32_t aboveCode = 1, beforeCode = 2, distanceCodeOffset = 120;
constexpr int lengthSymbols = 24, distanceSymbols = 40;
enum { green, red, blue, alpha, distance };

// A length or distance code as the format writes it: a symbol, then `extraBits` bits.
struct Prefixed {
    int symbol;
    int extraBits;
    uint32_t extra;
};

Prefixed Prefix(uint32_t value) {
    const uint32_t v = value - 1;
    if (v < 4)
        return {static_cast<int>(v), 0, 0};
    int top = 31;
    while (!(v >> top))
        --top;
    const int extraBits = top - 1;
    return {2 * top + static_cast<int>((v >> extraBits) & 1), extraBits, v & ((1u << extraBits) - 1)};
}

// a - b in each of the four channels, modulo 256.
uint32_t Subtract(uint32_t a, uint32_t b) {
    const uint32_t alphaGreen = 0x00ff00ffu + (a & 0xff00ff00u) - (b & 0xff00ff00u);
    const uint32_t redBlue = 0xff00ff00u + (a & 0x00ff00ffu) - (b & 0x00ff00ffu);
    return (alphaGreen & 0xff00ff00u) | (redBlue & 0x00ff00ffu);
}

int ChannelDistance(uint32_t a, uint32_t b) {
    int sum = 0;
    for (int shift = 0; shift < 32; shift += 8)
        sum += std::abs(static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff));
    return sum;
}

// The predictor "select": of the pixel before and the pixel above, the one nearer to before +
// above - above-before, the one above on a tie, as the format's decoder chooses.
uint32_t Select(uint32_t before, uint32_t above, uint32_t aboveBefore) {
    return ChannelDistance(before, aboveBefore) <= ChannelDistance(above, aboveBefore) ? above : before;
}

uint32_t CacheIndex(uint32_t argb) {
    return (argb * 0x1e35a7bdu) >> (32 - cacheBits);
}

// A one-symbol code: the predictor's picture of block modes and the unused codes.
void PutLoneSymbolCodes(const int (&symbols)[5], BitWriter& out) {
    const size_t sizes[5] = {256 + lengthSymbols, 256, 256, 256, distanceSymbols};
    for (int i = 0; i < 5; ++i) {
        std::vector<uint32_t> counts(sizes[i], 0);
        counts[symbols[i]] = 1;
        PrefixCode().Make(counts, out);
    }
}

} // namespace

bool LosslessWebp::Predict(const uint8_t* rgba, size_t rowBytes, int width, int height) {
    const size_t w = static_cast<size_t>(width);
    residuals.resize(w * height);
    rows.resize(2 * w);
    uint8_t opaque = 0xff;
    const uint32_t* above = nullptr;
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = rgba + y * rowBytes;
        uint32_t* row = rows.data() + (y & 1) * w;
        for (size_t x = 0; x < w; ++x) {
            const uint32_t r = in[4 * x], g = in[4 * x + 1], b = in[4 * x + 2], a = in[4 * x + 3];
            opaque &= static_cast<uint8_t>(a);
            row[x] = a << 24 | ((r - g) & 0xff) << 16 | g << 8 | ((b - g) & 0xff);
        }
        uint32_t* out = residuals.data() + y * w;
        // The first row is predicted by the pixel before, the first column by the pixel above,
        // the first pixel by opaque black.
        if (!above) {
            out[0] = Subtract(row[0], 0xff000000u);
            for (size_t x = 1; x < w; ++x)
                out[x] = Subtract(row[x], row[x - 1]);
        } else {
            out[0] = Subtract(row[0], above[0]);
            for (size_t x = 1; x < w; ++x)
                out[x] = Subtract(row[x], Select(row[x - 1], above[x], above[x - 1]));
        }
        above = row;
    }
    return opaque != 0xff;
}

void LosslessWebp::Tokenize(int width) {
    const size_t w = static_cast<size_t>(width), n = residuals.size();
    tokens.clear();
    cache.assign(size_t{1} << cacheBits, 0);
    const size_t sizes[5] = {256 + lengthSymbols + (size_t{1} << cacheBits), 256, 256, 256, distanceSymbols};
    for (int i = 0; i < 5; ++i)
        counts[i].assign(sizes[i], 0);
    const uint32_t* pixels = residuals.data();
    const auto sameFor = [&](size_t at, size_t from) {
        const size_t most = std::min<size_t>(longestCopy, n - at);
        size_t length = 0;
        while (length < most && pixels[at + length] == pixels[from + length])
            ++length;
        return length;
    };
    for (size_t i = 0; i < n;) {
        const uint32_t here = pixels[i];
        size_t length = i >= 1 && pixels[i - 1] == here ? sameFor(i, i - 1) : 0;
        uint32_t code = beforeCode;
        if (i >= w && pixels[i - w] == here) {
            const size_t aboveLength = sameFor(i, i - w);
            if (aboveLength > length)
                length = aboveLength, code = w == 1 ? beforeCode : aboveCode;
        }
        if (length >= shortestCopy) {
            tokens.push_back({code, static_cast<int32_t>(length)});
            ++counts[green][256 + Prefix(static_cast<uint32_t>(length)).symbol];
            ++counts[distance][Prefix(code).symbol];
            // The decoder puts every pixel it makes into the cache: a run of the pixel before is
            // one value, a copy of the row above may be many.
            if (code == beforeCode)
                cache[CacheIndex(here)] = here;
            else
                for (size_t k = i; k < i + length; ++k)
                    cache[CacheIndex(pixels[k])] = pixels[k];
            i += length;
            continue;
        }
        const uint32_t index = CacheIndex(here);
        if (cache[index] == here) {
            tokens.push_back({index, -1});
            ++counts[green][256 + lengthSymbols + index];
        } else {
            tokens.push_back({here, 0});
            cache[index] = here;
            ++counts[green][(here >> 8) & 0xff];
            ++counts[red][(here >> 16) & 0xff];
            ++counts[blue][here & 0xff];
            ++counts[alpha][here >> 24];
        }
        ++i;
    }
}

std::vector<uint8_t> LosslessWebp::Encode(const uint8_t* rgba, size_t rowBytes, int width, int height) {
    const bool translucent = Predict(rgba, rowBytes, width, height);
    Tokenize(width);

    BitWriter out;
    out.Put(signature, 8);
    out.Put(static_cast<uint32_t>(width - 1), 14);
    out.Put(static_cast<uint32_t>(height - 1), 14);
    out.Put(translucent, 1);
    out.Put(0, 3); // version
    // The transforms as applied; the decoder undoes them in the other order.
    out.Put(1, 1);
    out.Put(subtractGreen, 2);
    out.Put(1, 1);
    out.Put(predictor, 2);
    out.Put(predictorBlockBits - 2, 3);
    // The blocks' modes as a picture of its own, every pixel green = select: no cache, codes of one
    // symbol each, and no bits for the pixels.
    out.Put(0, 1);
    PutLoneSymbolCodes({selectPredictor, 0, 0, 0xff, 0}, out);
    out.Put(0, 1); // no more transforms
    out.Put(1, 1);
    out.Put(cacheBits, 4);
    out.Put(0, 1); // one group of codes for the whole picture

    PrefixCode codes[5];
    for (int i = 0; i < 5; ++i)
        codes[i].Make(counts[i], out);
    for (const Token& token : tokens) {
        if (token.copy > 0) {
            const Prefixed length = Prefix(static_cast<uint32_t>(token.copy));
            codes[green].Put(256 + length.symbol, out);
            out.Put(length.extra, length.extraBits);
            const Prefixed place = Prefix(token.value);
            codes[distance].Put(place.symbol, out);
            out.Put(place.extra, place.extraBits);
        } else if (token.copy < 0) {
            codes[green].Put(256 + lengthSymbols + static_cast<int>(token.value), out);
        } else {
            // Two channels at a time: at most 30 bits.
            const uint32_t p = token.value;
            const int g = (p >> 8) & 0xff, r = (p >> 16) & 0xff, b = p & 0xff, a = p >> 24;
            out.Put(codes[green].Code(g) | codes[red].Code(r) << codes[green].Length(g),
                    codes[green].Length(g) + codes[red].Length(r));
            out.Put(codes[blue].Code(b) | codes[alpha].Code(a) << codes[blue].Length(b),
                    codes[blue].Length(b) + codes[alpha].Length(a));
        }
    }
    return out.Finish();
}
