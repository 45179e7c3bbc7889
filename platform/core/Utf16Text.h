// Conversions between the UTF-16 code units the Win32 interface carries (one per WCHAR) and the UTF-8
// that SDL, stderr and the window manager take.
#pragma once

#include "platform/Win32.h"

#include <cstddef>
#include <string>

namespace platform_windowing {

// A null pointer gives an empty string. Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const WCHAR* text);

// Code points of malformed sequences become U+FFFD; characters beyond the BMP become surrogate pairs.
std::wstring Utf8ToUtf16(const char* text);

} // namespace platform_windowing
