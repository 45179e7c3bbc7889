// The single application object: window, device and GL contexts, frame counter and screen stack.
#pragma once

#include "platform/Win32.h"

class FrameCounter;
class GlWindow;
class ScreenManager;

class AppContext {
public:
    // Reads the main window; creates the pixel format, the GL context (made current for the whole
    // run), the frame counter and an empty screen manager.
    AppContext();
    // Deletes the frame counter, then the screen manager with its screens while the GL context is
    // still current, then releases the GL context and the device context.
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    FrameCounter* frameCounter = nullptr; // owned
    HDC deviceContext = nullptr;
    HGLRC glContext = nullptr;
    HWND window = nullptr;
    bool showFrameCounter = true;
    ScreenManager* screenManager = nullptr; // owned
    int fieldOfView;                        // degrees, the lens's at start (hypercube/WindowLens.h)

private:
    GlWindow* glWindow = nullptr; // owned: the pixel format, the device and GL contexts
};
