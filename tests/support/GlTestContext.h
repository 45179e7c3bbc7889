// A hidden 1024 x 768 window with a current OpenGL context, made through the same Win32 calls the
// program uses, for tests of code that needs GL (text textures, rendering) but not the whole program.
#pragma once

#include "app/GlWindow.h"
#include "platform/Gl.h"

#include <cstdint>
#include <string>
#include <vector>

class GlTestContext : public GlWindow {
public:
    GlTestContext() : GlWindow(1024, 768) { glViewport(0, 0, 1024, 768); }
};

// RGBA pixels of the back buffer, top row first (converted from GL's bottom-up order).
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};
Frame ReadFrame(int width = 1024, int height = 768);

// Whether the pixel at (x, y) matches r, g, b within `tolerance` per channel.
bool PixelNear(const Frame& frame, int x, int y, int r, int g, int b, int tolerance = 3);

// Writes the frame as an opaque PNG (for looking at it); returns false when it could not be written.
bool WritePng(const Frame& frame, const std::string& path);

// Where a test writes the picture `fileName`: a folder of the build directory, made on first use.
std::string PicturePath(const std::string& fileName);

// RGBA texels of a 2-D texture, read back with glGetTexImage, top row first.
std::vector<uint8_t> ReadTexture(GLuint texture, int width, int height);
