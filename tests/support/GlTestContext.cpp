#include "tests/support/GlTestContext.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

Frame ReadFrame(int width, int height) {
    Frame frame;
    frame.width = width;
    frame.height = height;
    std::vector<uint8_t> bottomUp(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    frame.rgba.resize(bottomUp.size());
    const size_t row = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y)
        std::copy_n(&bottomUp[(height - 1 - y) * row], row, &frame.rgba[y * row]);
    return frame;
}

bool PixelNear(const Frame& frame, int x, int y, int r, int g, int b, int tolerance) {
    if (x < 0 || y < 0 || x >= frame.width || y >= frame.height)
        return false;
    const uint8_t* p = frame.At(x, y);
    return std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance &&
           std::abs(p[2] - b) <= tolerance;
}

std::vector<uint8_t> ReadTexture(GLuint texture, int width, int height) {
    std::vector<uint8_t> texels(static_cast<size_t>(width) * height * 4);
    if (texels.empty())
        return texels;
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return texels;
}

bool WritePng(const Frame& frame, const std::string& path) {
    // The window shows the colour channels only; blending leaves arbitrary values in the alpha
    // channel, which would make an image viewer show the frame lighter than it is.
    std::vector<uint8_t> opaque = frame.rgba;
    for (size_t i = 3; i < opaque.size(); i += 4)
        opaque[i] = 255;
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(frame.width);
    image.height = static_cast<png_uint_32>(frame.height);
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, opaque.data(), 0, nullptr) != 0;
}

std::string PicturePath(const std::string& fileName) {
    std::error_code ignored;
    std::filesystem::create_directories(TESSARY_TEST_PICTURES, ignored);
    return (std::filesystem::path(TESSARY_TEST_PICTURES) / fileName).string();
}
