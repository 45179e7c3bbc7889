// Mouse capture: while a window holds it, the pointer's moves and releases outside the window still
// reach it (with coordinates outside the client area), as far as the back end's system provides.
// Where it cannot capture, the window still holds the capture as far as the program can tell, and
// moves inside the window keep coming.
#include "platform/core/Backend.h"
#include "platform/core/PlatformTesting.h"
#include "platform/core/WindowTable.h"

using namespace platform_windowing;

namespace {

HWND captureWindow = nullptr;

} // namespace

HWND WINAPI SetCapture(HWND window) {
    const HWND previous = GetCapture();
    if (!LiveWindow(window))
        return nullptr;
    captureWindow = window;
    platform_backend::CaptureMouse(true);
    return previous;
}

BOOL WINAPI ReleaseCapture() {
    if (captureWindow)
        platform_backend::CaptureMouse(false);
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
