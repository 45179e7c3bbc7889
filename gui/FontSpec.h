// The description of a GDI font that a text canvas creates: face, size and four style flags.
#pragma once

#include "platform/Win32.h"

#include <cstddef>
#include <cstdint>

struct FontSpec {
    // The toolkit's face, which every text of the window is set in, and a text's size unless it
    // says otherwise.
    static constexpr const WCHAR* defaultFace = L"宋体";
    static constexpr int32_t defaultPointSize = 10;

    WCHAR faceName[LF_FACESIZE]; // at most 31 characters and the terminating zero
    int32_t pointSize;
    // Every font the program builds leaves these clear, so every font is created with weight 700.
    BYTE regularWeight;
    BYTE underline;
    BYTE italic;
    BYTE strikeOut;

    // The face and size with the flags clear; a longer name is cut to the 31 characters a face name
    // can hold.
    static FontSpec Named(const WCHAR* faceName, int32_t pointSize) {
        FontSpec wanted = {};
        size_t i = 0;
        for (; faceName && faceName[i] != 0 && i + 1 < LF_FACESIZE; ++i)
            wanted.faceName[i] = faceName[i];
        wanted.faceName[i] = 0;
        wanted.pointSize = pointSize;
        return wanted;
    }
};
