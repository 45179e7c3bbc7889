#include "tools/IconContext.h"

namespace {

LRESULT CALLBACK IconWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

constexpr const WCHAR* className = L"TessaryIconWindow";

} // namespace

IconContext::IconContext() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = IconWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass))
        return;
    window = CreateWindowExW(0, className, L"tessary-icon", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return;
    deviceContext = GetDC(window);
    // The same kind of format the program asks for: double-buffered RGBA with a depth buffer, which
    // the edge pass of the renderer tests against.
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 24;
    const int format = ChoosePixelFormat(deviceContext, &pfd);
    if (format == 0 || !SetPixelFormat(deviceContext, format, &pfd))
        return;
    glContext = wglCreateContext(deviceContext);
    if (glContext && !wglMakeCurrent(deviceContext, glContext)) {
        wglDeleteContext(glContext);
        glContext = nullptr;
    }
}

IconContext::~IconContext() {
    if (glContext) {
        wglMakeCurrent(deviceContext, nullptr);
        wglDeleteContext(glContext);
    }
    if (window) {
        ReleaseDC(window, deviceContext);
        DestroyWindow(window);
    }
    UnregisterClassW(className, GetModuleHandleW(nullptr));
}
