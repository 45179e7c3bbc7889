// A window with a current OpenGL context, made through the same Win32 calls as everything else: the
// program's own window (AppContext), or a hidden window of its own for the tests, the benchmarks and
// the icon tool, which need GL but not the whole program. What it made goes with it: the context,
// the device context and a window of its own.
#pragma once

#include "platform/Win32.h"

class GlWindow {
public:
    // Gives `existing` the program's pixel format and a context, made current. The window stays the
    // caller's.
    explicit GlWindow(HWND existing);
    // The same on a hidden popup window of its own with a client area of `width` x `height`.
    GlWindow(int width, int height);
    // Makes no context current, deletes the context, releases the device context and destroys a
    // window of its own. Every GL object must be gone by then.
    ~GlWindow();
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;

    bool Ok() const { return glContext != nullptr; }

    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC glContext = nullptr; // null when no context could be made current
    bool formatChosen = false; // ChoosePixelFormat offered a format
    bool formatSet = false;    // and SetPixelFormat took it

private:
    void MakeCurrentContext();

    bool ownsWindow = false;
};
