// The Windows icon file format: several square pictures of one icon in one .ico file, from which
// Windows picks the size each place needs (16 px in a title bar or a list, 32 and 48 px on the
// desktop, 256 px in Explorer's large views).
#pragma once

#include <cstdint>
#include <vector>

struct IcoPicture {
    int size = 0;              // width and height in pixels, 1 to 256
    std::vector<uint8_t> rgba; // size * size RGBA pixels, top row first, straight alpha
};

// The bytes of an .ico file holding `pictures` in the order given. Pictures up to 255 px are stored
// as 32-bit bitmaps with their transparency mask, which every version of Windows reads; 256 px
// pictures as PNG, which is how Windows expects that size and keeps the file small. Returns an
// empty vector when a picture has no valid size or its pixels do not match it.
std::vector<uint8_t> EncodeIco(const std::vector<IcoPicture>& pictures);
