// A picture in memory as the exporters take it: 8-bit red, green, blue and alpha per pixel, rows from
// the top down (glReadPixels gives them bottom up; whoever reads them turns them over once).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // width * height * 4 bytes

    RgbaPicture() = default;
    RgbaPicture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4) {}
    uint8_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width * 4; }
    const uint8_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width * 4; }

    // The picture as OpenGL reads a colour buffer in its own order, bottom row first and each pixel's
    // bytes as blue, green, red, alpha, made top row first, RGBA and opaque: blending leaves alpha
    // below 1 where faces are, which a window ignores but a PNG or WebP viewer would show.
    void TurnOverFromBgra();
};
