// GetDC and ReleaseDC. A window DC keeps its window's SDL window alive, since the program releases the
// DC only after the window has been destroyed.
#include "platform/core/WindowDc.h"
#include "platform/core/WindowTable.h"

#include <map>
#include <memory>

namespace platform_windowing {

namespace {

// The handle is the address of its own small heap object, so it can never equal a handle made by
// the memory-DC code, whatever that code uses for its handles.
struct WindowDc {
    HWND window = nullptr;
};

std::map<HDC, std::unique_ptr<WindowDc>> windowDcs;

} // namespace

HWND WindowOfDc(HDC dc) {
    auto found = windowDcs.find(dc);
    return found == windowDcs.end() ? nullptr : found->second->window;
}

int LiveWindowDcCount() {
    return static_cast<int>(windowDcs.size());
}

} // namespace platform_windowing

using namespace platform_windowing;

HDC WINAPI GetDC(HWND window) {
    // The screen DC (a null window) is not offered: nothing here draws with GDI on a window.
    if (!LiveWindow(window))
        return nullptr;
    auto dc = std::make_unique<WindowDc>();
    dc->window = window;
    const HDC handle = reinterpret_cast<HDC>(dc.get());
    windowDcs.emplace(handle, std::move(dc));
    RetainWindow(window);
    return handle;
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
    auto found = windowDcs.find(dc);
    // The window may have been destroyed already; it must still be the one the DC was obtained for.
    if (found == windowDcs.end() || found->second->window != window)
        return 0;
    const HWND owner = found->second->window;
    windowDcs.erase(found);
    ReleaseWindow(owner);
    return 1;
}
