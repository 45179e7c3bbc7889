// printf-style formatting into a UTF-16 buffer, the companion of TextTexture: the program formats
// numbers with it before rendering them.
#pragma once

#include "platform/Win32.h"

#include <cstddef>

// Formats into the caller's buffer of `capacity` elements; always zero-terminated. Returns the number
// of characters written, or -1 when the output did not fit (it is then truncated).
int FormatWide(WCHAR* buffer, size_t capacity, const WCHAR* format, ...);
