// The description of a GDI font that a text canvas creates: face, size and four style flags.
#pragma once

#include "platform/Win32.h"

#include <cstdint>

struct FontSpec {
    WCHAR faceName[LF_FACESIZE]; // at most 31 characters and the terminating zero
    int32_t pointSize;
    // Every font the program builds leaves these clear, so every font is created with weight 700.
    BYTE regularWeight;
    BYTE underline;
    BYTE italic;
    BYTE strikeOut;
};
