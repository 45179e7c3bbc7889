#include "app/AppContext.h"

#include "app/FrameCounter.h"
#include "app/GlWindow.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "hypercube/WindowLens.h"

AppContext::AppContext() : window(mainWindow), fieldOfView(WindowLens::fieldOfViewDegrees) {
    glWindow = new GlWindow(window);
    deviceContext = glWindow->deviceContext;
    if (!glWindow->formatChosen)
        MessageBoxW(window, L"错误！！", L"ChoosePixelFormat出错！！", MB_ICONERROR);
    if (!glWindow->formatSet)
        MessageBoxW(window, L"错误！！", L"SetPixelFormat出错！！", MB_ICONERROR);
    glContext = glWindow->glContext;

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
    // Then the context itself and the device context.
    delete glWindow;
    glWindow = nullptr;
}
