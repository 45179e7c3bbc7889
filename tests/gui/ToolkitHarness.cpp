#include "tests/gui/ToolkitHarness.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

::testing::AssertionResult PixelIs(const Frame& frame, int x, int y, int r, int g, int b, int tolerance) {
    if (x < 0 || y < 0 || x >= frame.width || y >= frame.height)
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is outside the frame";
    const uint8_t* p = frame.At(x, y);
    if (std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is " << int(p[0]) << ", " << int(p[1]) << ", " << int(p[2])
           << "; expected " << r << ", " << g << ", " << b << " within " << tolerance;
}

int OverBlack(float f, float a) {
    return static_cast<int>(std::lround(f * a * 255.0f));
}

bool SaveRegion(const Frame& frame, int x, int y, int w, int h, int scale, const std::string& path) {
    Frame region;
    region.width = w * scale;
    region.height = h * scale;
    region.rgba.resize(static_cast<size_t>(region.width) * region.height * 4);
    for (int ry = 0; ry < region.height; ++ry) {
        for (int rx = 0; rx < region.width; ++rx) {
            const int sx = std::clamp(x + rx / scale, 0, frame.width - 1);
            const int sy = std::clamp(y + ry / scale, 0, frame.height - 1);
            const uint8_t* source = frame.At(sx, sy);
            uint8_t* target = &region.rgba[(static_cast<size_t>(ry) * region.width + rx) * 4];
            std::copy_n(source, 3, target);
            target[3] = 255;
        }
    }
    return WritePng(region, path);
}

int CountPixels(const Frame& frame, int x, int y, int w, int h, int r, int g, int b, int tolerance) {
    int n = 0;
    for (int py = y; py < y + h; ++py)
        for (int px = x; px < x + w; ++px)
            n += PixelNear(frame, px, py, r, g, b, tolerance);
    return n;
}

int CountBright(const Frame& frame, int x, int y, int w, int h, int level) {
    int n = 0;
    for (int py = std::max(y, 0); py < std::min(y + h, frame.height); ++py) {
        for (int px = std::max(x, 0); px < std::min(x + w, frame.width); ++px) {
            const uint8_t* p = frame.At(px, py);
            n += std::max({p[0], p[1], p[2]}) > level;
        }
    }
    return n;
}
