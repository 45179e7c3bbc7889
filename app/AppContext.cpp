#include "app/AppContext.h"

#include "app/FrameCounter.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"

AppContext::AppContext() : window(mainWindow) {
    deviceContext = GetDC(window);

    // Double-buffered RGBA with a depth buffer: the frame clears depth, the 3-D pass depth-tests and
    // every control blends with alpha.
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cAlphaBits = 8;
    pfd.cDepthBits = 24;
    pfd.iLayerType = PFD_MAIN_PLANE;

    int format = ChoosePixelFormat(deviceContext, &pfd);
    if (format == 0)
        MessageBoxW(window, L"错误！！", L"ChoosePixelFormat出错！！", MB_ICONERROR);
    if (!SetPixelFormat(deviceContext, format, &pfd))
        MessageBoxW(window, L"错误！！", L"SetPixelFormat出错！！", MB_ICONERROR);

    glContext = wglCreateContext(deviceContext);
    wglMakeCurrent(deviceContext, glContext);

    // The counter creates a texture, so it must follow the context.
    frameCounter = new FrameCounter();
    screenManager = new ScreenManager();
}

AppContext::~AppContext() {
    // Every texture goes while the context is still current: the counter's, then the screens'.
    delete frameCounter;
    frameCounter = nullptr;
    delete screenManager;
    screenManager = nullptr;
    wglMakeCurrent(deviceContext, nullptr);
    wglDeleteContext(glContext);
    if (deviceContext)
        ReleaseDC(window, deviceContext);
}
