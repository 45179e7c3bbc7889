// A hidden window with a current OpenGL context, made through the same Win32 calls the program uses,
// for benchmarks of code that needs GL (text textures, label builds) but not the whole program.
#pragma once

#include "platform/Gl.h"

namespace bench {

inline LRESULT CALLBACK HiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

inline bool MakeHiddenGlContext() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = HiddenWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TessaryBenchWindow";
    if (!RegisterClassExW(&windowClass))
        return false;
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"bench", WS_POPUP, 0, 0, 1024, 768, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return false;
    HDC deviceContext = GetDC(window);
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 24;
    SetPixelFormat(deviceContext, ChoosePixelFormat(deviceContext, &pfd), &pfd);
    HGLRC glContext = wglCreateContext(deviceContext);
    return glContext && wglMakeCurrent(deviceContext, glContext);
}

} // namespace bench
