// GetDC and ReleaseDC. A window DC keeps its window's native window alive, since the program releases the
// DC only after the window has been destroyed.
#include "platform/core/WindowDc.h"
#include "platform/core/WindowUsers.h"

namespace platform_windowing {

namespace {

// A window DC is nothing but its window.
struct WindowDc {};

WindowUsers<HDC, WindowDc> windowDcs;

} // namespace

HWND WindowOfDc(HDC dc) {
    const auto* entry = windowDcs.Find(dc);
    return entry ? entry->window : nullptr;
}

int LiveWindowDcCount() {
    return windowDcs.Count();
}

} // namespace platform_windowing

using namespace platform_windowing;

HDC WINAPI GetDC(HWND window) {
    // The screen DC (a null window) is not offered: nothing here draws with GDI on a window.
    if (!LiveWindow(window))
        return nullptr;
    return windowDcs.Add(window, WindowDc{});
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
    // The window may have been destroyed already; it must still be the one the DC was obtained for.
    const auto* entry = windowDcs.Find(dc);
    if (!entry || entry->window != window)
        return 0;
    windowDcs.Remove(dc);
    return 1;
}
