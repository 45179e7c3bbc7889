#include "app/GlWindow.h"

namespace {

constexpr const WCHAR* hiddenClassName = L"TessaryGlWindow";

LRESULT CALLBACK HiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// Registered once for the process; every hidden GL window is of this class.
bool RegisterHiddenClass() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = HiddenWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = hiddenClassName;
        registered = RegisterClassExW(&windowClass) != 0;
    }
    return registered;
}

} // namespace

GlWindow::GlWindow(HWND existing) : window(existing) {
    MakeCurrentContext();
}

GlWindow::GlWindow(int width, int height) {
    if (!RegisterHiddenClass())
        return;
    window = CreateWindowExW(0, hiddenClassName, L"Tessary GL", WS_POPUP, 0, 0, width, height, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    ownsWindow = window != nullptr;
    if (window)
        MakeCurrentContext();
}

GlWindow::~GlWindow() {
    if (glContext) {
        wglMakeCurrent(deviceContext, nullptr);
        wglDeleteContext(glContext);
    }
    if (deviceContext)
        ReleaseDC(window, deviceContext);
    if (ownsWindow)
        DestroyWindow(window);
}

void GlWindow::MakeCurrentContext() {
    deviceContext = GetDC(window);

    // Double-buffered RGBA with a depth buffer: the program's frame clears depth, the 3-D pass
    // depth-tests and every control blends with alpha.
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cAlphaBits = 8;
    pfd.cDepthBits = 24;
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(deviceContext, &pfd);
    formatChosen = format != 0;
    formatSet = formatChosen && SetPixelFormat(deviceContext, format, &pfd);

    glContext = wglCreateContext(deviceContext);
    if (glContext && !wglMakeCurrent(deviceContext, glContext)) {
        wglDeleteContext(glContext);
        glContext = nullptr;
    }
}
