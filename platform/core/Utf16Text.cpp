#include "platform/core/Utf16Text.h"

#include <cstdint>

namespace platform_utf16 {

namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

bool IsHighSurrogate(uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUtf16(std::wstring& out, char32_t code) {
    if (code < 0x10000) {
        out += static_cast<WCHAR>(code);
    } else {
        code -= 0x10000;
        out += static_cast<WCHAR>(0xD800 | (code >> 10));
        out += static_cast<WCHAR>(0xDC00 | (code & 0x3FF));
    }
}

// Decodes one UTF-8 sequence starting at text[0] and advances past it, reading no byte at or beyond
// `end`. Overlong forms, surrogates and values beyond U+10FFFF are malformed: they yield the
// replacement character and one byte is skipped.
char32_t DecodeUtf8(const unsigned char*& text, const unsigned char* end) {
    const unsigned char lead = *text++;
    if (lead < 0x80)
        return lead;
    int length = 0;
    char32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
    } else {
        return replacementCharacter;
    }
    const unsigned char* next = text;
    for (int i = 1; i < length; ++i, ++next) {
        if (next == end || (*next & 0xC0) != 0x80)
            return replacementCharacter;
        code = (code << 6) | (*next & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code))
        return replacementCharacter;
    text = next;
    return code;
}

} // namespace

char32_t NextCodePoint(const WCHAR* text, int length, int& i) {
    const uint32_t unit = static_cast<uint32_t>(text[i++]);
    if (IsHighSurrogate(unit) && i < length) {
        const uint32_t low = static_cast<uint32_t>(text[i]);
        if (IsLowSurrogate(low)) {
            ++i;
            return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    if (IsHighSurrogate(unit) || IsLowSurrogate(unit) || unit > 0x10FFFF)
        return replacementCharacter;
    return unit;
}

std::string Utf16ToUtf8(const WCHAR* text) {
    int length = 0;
    while (text && text[length])
        ++length;
    return Utf16ToUtf8(text, length);
}

std::string Utf16ToUtf8(const WCHAR* text, int length) {
    std::string out;
    for (int i = 0; text && i < length;)
        AppendUtf8(out, NextCodePoint(text, length, i));
    return out;
}

char32_t NextCodePoint(std::string_view text, size_t& i) {
    const auto* start = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* cursor = start + i;
    const char32_t code = DecodeUtf8(cursor, start + text.size());
    i = static_cast<size_t>(cursor - start);
    return code;
}

std::wstring Utf8ToUtf16(const char* text) {
    std::wstring out;
    if (!text)
        return out;
    const unsigned char* cursor = reinterpret_cast<const unsigned char*>(text);
    // A NUL ends the text, so no sequence reads past it: its continuation test fails first.
    while (*cursor)
        AppendUtf16(out, DecodeUtf8(cursor, nullptr));
    return out;
}

} // namespace platform_utf16
