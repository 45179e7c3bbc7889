// Conversions between the UTF-16 code units the Win32 interface carries (one per WCHAR), code points,
// and the UTF-8 that stderr and most windowing systems take.
#pragma once

#include "platform/Win32.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace platform_utf16 {

// The code point that starts at text[i] of a string of `length` units, moving i past it. A surrogate
// pair is one code point; an unpaired surrogate, or a value beyond U+10FFFF, is U+FFFD. A whole code
// point in one element (an L"" literal beyond the BMP) is taken as it is.
char32_t NextCodePoint(const WCHAR* text, int length, int& i);

// The code point of the UTF-8 sequence that starts at text[i], moving i past it; a malformed sequence
// is U+FFFD, and one byte is passed over.
char32_t NextCodePoint(std::string_view text, size_t& i);

// A null pointer gives an empty string. Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const WCHAR* text);
// The same for the first `length` units of `text`, NULs included.
std::string Utf16ToUtf8(const WCHAR* text, int length);

// Code points of malformed sequences become U+FFFD; characters beyond the BMP become surrogate pairs.
std::wstring Utf8ToUtf16(const char* text);

} // namespace platform_utf16
