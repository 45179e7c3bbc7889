// Mouse capture: while a window holds it, the pointer's moves and releases outside the window still
// reach it (with coordinates outside the client area), as SDL's own mouse capture provides.
#include "platform/PlatformTesting.h"
#include "platform/sdl/SdlVideo.h"
#include "platform/core/WindowTable.h"

#include <SDL.h>

using namespace platform_windowing;

namespace {

HWND captureWindow = nullptr;

// Some video drivers (the offscreen one among them) cannot capture; the window still holds the
// capture as far as the program can tell, and moves inside the window keep coming.
void CaptureSdlMouse(bool capture) {
    if (VideoStarted())
        SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

} // namespace

HWND WINAPI SetCapture(HWND window) {
    const HWND previous = GetCapture();
    if (!LiveWindow(window))
        return nullptr;
    captureWindow = window;
    CaptureSdlMouse(true);
    return previous;
}

BOOL WINAPI ReleaseCapture() {
    if (captureWindow)
        CaptureSdlMouse(false);
    captureWindow = nullptr;
    return TRUE;
}

HWND WINAPI GetCapture() {
    return LiveWindow(captureWindow) ? captureWindow : nullptr;
}

namespace platform_testing {

bool MouseCaptured() {
    return GetCapture() != nullptr;
}

} // namespace platform_testing
