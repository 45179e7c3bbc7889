// libFuzzer target: the conversions between UTF-8, UTF-16 code units and code points that carry
// every text the windowing system types and every text the program shows. The first byte chooses
// how the rest is read: as UTF-8 bytes, or as 16-bit or 24-bit WCHAR units (a WCHAR on Linux holds
// 32 bits, so an L"" literal can put a whole code point, or a value past U+10FFFF, in one unit).
// Each property is checked against a small reading of the standard written here, not against the
// conversions themselves.
#include "platform/core/Utf16Text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace platform_utf16;

namespace {

void Fail(const char* what, size_t at) {
    std::fprintf(stderr, "fuzz_utf16: %s (at %zu)\n", what, at);
    std::abort();
}

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// The number of UTF-8 bytes of a code point.
size_t Utf8Length(char32_t c) {
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

// Every byte string: each step moves forward by the length of the code point it yields, or by one
// byte for U+FFFD; what a NUL-ended copy converts to is the code points before the first NUL; and
// the conversion back to UTF-8 gives the bytes again whenever every sequence was well formed.
void CheckUtf8(std::string_view bytes) {
    std::u32string points;
    bool wellFormed = true;
    size_t firstNul = bytes.find('\0');
    if (firstNul == std::string_view::npos)
        firstNul = bytes.size();
    size_t pointsBeforeNul = 0;
    for (size_t i = 0; i < bytes.size();) {
        const size_t start = i;
        const char32_t c = NextCodePoint(bytes, i);
        if (c > 0x10FFFF || IsSurrogate(c))
            Fail("a decoded code point is a surrogate or past U+10FFFF", start);
        const size_t step = i - start;
        const bool replaced = c == 0xFFFD && step == 1;
        if (step != (replaced ? 1 : Utf8Length(c)))
            Fail("a step does not match the length of its code point", start);
        wellFormed &= !replaced;
        points += c;
        if (start < firstNul)
            pointsBeforeNul = points.size();
    }

    std::wstring expected;
    for (size_t k = 0; k < pointsBeforeNul; ++k) {
        char32_t c = points[k];
        if (c < 0x10000) {
            expected += static_cast<WCHAR>(c);
        } else {
            c -= 0x10000;
            expected += static_cast<WCHAR>(0xD800 + (c >> 10));
            expected += static_cast<WCHAR>(0xDC00 + (c & 0x3FF));
        }
    }
    const std::string terminated(bytes.substr(0, firstNul));
    const std::wstring units = Utf8ToUtf16(terminated.c_str());
    if (units != expected)
        Fail("Utf8ToUtf16 disagrees with the code points read one by one", 0);
    if (wellFormed && firstNul == bytes.size() && Utf16ToUtf8(units.c_str()) != terminated)
        Fail("well-formed UTF-8 does not come back unchanged through UTF-16", 0);
}

// Every unit string: the UTF-8 made from it is well formed and holds the units' code points, with
// unpaired surrogates and values past U+10FFFF as U+FFFD and pairs joined; a NUL-ended copy stops
// at the first NUL.
void CheckUtf16(const std::wstring& units) {
    std::u32string expected;
    for (size_t i = 0; i < units.size(); ++i) {
        const uint32_t unit = static_cast<uint32_t>(units[i]);
        const uint32_t next = i + 1 < units.size() ? static_cast<uint32_t>(units[i + 1]) : 0;
        if (unit >= 0xD800 && unit <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
            expected += static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
            ++i;
        } else {
            expected += IsSurrogate(unit) || unit > 0x10FFFF ? U'\xFFFD' : static_cast<char32_t>(unit);
        }
    }
    const std::string utf8 = Utf16ToUtf8(units.data(), static_cast<int>(units.size()));
    std::u32string decoded;
    for (size_t i = 0; i < utf8.size();) {
        const size_t start = i;
        const char32_t c = NextCodePoint(utf8, i);
        if (i - start != Utf8Length(c))
            Fail("Utf16ToUtf8 wrote a malformed sequence", start);
        decoded += c;
    }
    if (decoded != expected)
        Fail("Utf16ToUtf8 does not hold the units' code points", 0);

    const size_t nul = units.find(L'\0');
    const int untilNul = static_cast<int>(nul == std::wstring::npos ? units.size() : nul);
    if (Utf16ToUtf8(units.c_str()) != Utf16ToUtf8(units.data(), untilNul))
        Fail("the NUL-ended form does not stop at the first NUL", static_cast<size_t>(untilNul));

    for (int i = 0; i < static_cast<int>(units.size());) {
        const int start = i;
        NextCodePoint(units.data(), static_cast<int>(units.size()), i);
        if (i != start + 1 && i != start + 2)
            Fail("NextCodePoint moved by other than one or two units", static_cast<size_t>(start));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const uint8_t mode = data[0] % 3;
    ++data;
    --size;
    if (mode == 0) {
        CheckUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
        return 0;
    }
    const size_t width = mode == 1 ? 2 : 3;
    std::wstring units;
    for (size_t i = 0; i + width <= size; i += width) {
        uint32_t unit = 0;
        for (size_t b = 0; b < width; ++b)
            unit = unit << 8 | data[i + b];
        units += static_cast<WCHAR>(unit);
    }
    CheckUtf16(units);
    return 0;
}
