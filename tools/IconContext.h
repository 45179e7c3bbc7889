// A hidden window with a current OpenGL context, made through the same Win32 calls the program
// uses, so that the icon is drawn by the program's own renderer and text textures.
#pragma once

#include "platform/Win32.h"

class IconContext {
public:
    IconContext();
    ~IconContext();
    IconContext(const IconContext&) = delete;
    IconContext& operator=(const IconContext&) = delete;

    bool Ok() const { return glContext != nullptr; }

    // The window's client area bounds the largest picture that can be drawn at once.
    static constexpr int width = 1024;
    static constexpr int height = 768;

private:
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC glContext = nullptr;
};
