// The pixels of a DIB section: rows of 24- or 32-bit blue-green-red pixels, each row padded to a
// multiple of 4 bytes, stored top-down or bottom-up as the BITMAPINFOHEADER asked.
#pragma once

#include "platform/Win32.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform_gdi {

class DibSurface {
public:
    // Bytes per row of a DIB `width` pixels wide at `bitsPerPixel`, padded to a multiple of 4.
    static uint64_t Stride(int width, int bitsPerPixel);

    // Zero-filled, like a new DIB section; Valid() is false when the memory could not be had.
    DibSurface(int surfaceWidth, int surfaceHeight, int bits, bool isTopDown);

    bool Valid() const { return pixels != nullptr; }
    uint8_t* Bits() { return pixels.get(); }
    // Start of row y counted from the top, whatever the order in memory.
    uint8_t* Row(int y) { return pixels.get() + static_cast<size_t>(topDown ? y : height - 1 - y) * stride; }
    // Whether the pixels can be drawn on (24 and 32 bits per pixel).
    bool Drawable() const { return bitsPerPixel == 24 || bitsPerPixel == 32; }

    // Sets the pixels of the rectangle, clipped to the surface, to the colour.
    void Fill(const RECT& area, COLORREF colour);
    // Mixes the colour into `count` pixels of row y from column x on, each with the weight of its
    // coverage / 255. Pixels outside `clip` or the surface are left alone.
    void BlendSpan(int x, int y, const uint8_t* coverage, int count, COLORREF colour, const RECT& clip);

    const int width;
    const int height;
    const int bitsPerPixel;
    const bool topDown;
    const size_t stride;

private:
    // Owned; calloc gets fresh pages already zeroed.
    std::unique_ptr<uint8_t, void (*)(void*)> pixels;
};

} // namespace platform_gdi
