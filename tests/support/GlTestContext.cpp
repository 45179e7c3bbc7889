#include "tests/support/GlTestContext.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

const WCHAR* RegisterTestClass() {
    static const WCHAR* name = L"TessaryTestWindow";
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = name;
        registered = RegisterClassExW(&windowClass) != 0;
    }
    return name;
}

} // namespace

GlTestContext::GlTestContext() {
    window = CreateWindowExW(0, RegisterTestClass(), L"test", WS_POPUP, 0, 0, 1024, 768, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return;
    deviceContext = GetDC(window);
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 24;
    int format = ChoosePixelFormat(deviceContext, &pfd);
    SetPixelFormat(deviceContext, format, &pfd);
    glContext = wglCreateContext(deviceContext);
    if (glContext)
        wglMakeCurrent(deviceContext, glContext);
    glViewport(0, 0, 1024, 768);
}

GlTestContext::~GlTestContext() {
    if (glContext) {
        wglMakeCurrent(deviceContext, nullptr);
        wglDeleteContext(glContext);
    }
    if (window) {
        DestroyWindow(window);
        ReleaseDC(window, deviceContext);
    }
}

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

// A PNG writer with uncompressed deflate blocks: large files, but no library needed to look at them.
namespace {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBig32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBig32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBig32(out, Crc32(body.data(), body.size()));
}

} // namespace

bool WritePng(const Frame& frame, const std::string& path) {
    std::vector<uint8_t> raw;
    const size_t row = static_cast<size_t>(frame.width) * 4;
    for (int y = 0; y < frame.height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), frame.rgba.begin() + y * row, frame.rgba.begin() + (y + 1) * row);
    }
    // The window shows the colour channels only; blending leaves arbitrary values in the alpha
    // channel, which would make an image viewer show the frame lighter than it is.
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            raw[y * (row + 1) + 1 + x * 4 + 3] = 255;
    std::vector<uint8_t> zlib = {0x78, 0x01};
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t offset = 0; offset < raw.size() || offset == 0;) {
        size_t block = std::min<size_t>(65535, raw.size() - offset);
        bool last = offset + block >= raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back(static_cast<uint8_t>(block & 0xff));
        zlib.push_back(static_cast<uint8_t>(block >> 8));
        zlib.push_back(static_cast<uint8_t>(~block & 0xff));
        zlib.push_back(static_cast<uint8_t>((~block >> 8) & 0xff));
        zlib.insert(zlib.end(), raw.begin() + offset, raw.begin() + offset + block);
        offset += block;
        if (last)
            break;
    }
    PutBig32(zlib, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    PutBig32(header, static_cast<uint32_t>(frame.width));
    PutBig32(header, static_cast<uint32_t>(frame.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && ok;
}
