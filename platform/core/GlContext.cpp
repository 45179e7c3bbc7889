// Pixel formats, buffer swaps and OpenGL contexts. Every window is created with the one pixel format
// the layer offers (RGBA8, depth 24, double-buffered, compatibility profile), so choosing and setting
// a format only checks that the request can be met by it.
#include "platform/core/Backend.h"
#include "platform/core/GlContexts.h"
#include "platform/core/WindowDc.h"
#include "platform/core/WindowUsers.h"

namespace platform_windowing {

namespace {

// Each context keeps the window it was created for alive while it exists.
WindowUsers<HGLRC, platform_backend::NativeGlContext> glContexts; // the native contexts are owned

} // namespace

int LiveGlContextCount() {
    return glContexts.Count();
}

} // namespace platform_windowing

using namespace platform_windowing;

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor) {
    constexpr DWORD required = PFD_SUPPORT_OPENGL | PFD_DRAW_TO_WINDOW;
    if (!descriptor || !LiveWindow(WindowOfDc(dc)) || (descriptor->dwFlags & required) != required)
        return 0;
    return 1;
}

BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*) {
    WindowRecord* record = LiveWindow(WindowOfDc(dc));
    if (!record || format < 1)
        return FALSE;
    record->pixelFormat = format;
    return TRUE;
}

BOOL WINAPI SwapBuffers(HDC dc) {
    const WindowRecord* record = LiveWindow(WindowOfDc(dc));
    if (!record)
        return FALSE;
    platform_backend::SwapGlBuffers(record->native);
    return TRUE;
}

HGLRC WINAPI wglCreateContext(HDC dc) {
    const HWND window = WindowOfDc(dc);
    const WindowRecord* record = LiveWindow(window);
    // As on Windows, a context needs a window whose pixel format has been set.
    if (!record || record->pixelFormat < 1)
        return nullptr;
    const platform_backend::NativeGlContext context = platform_backend::CreateGlContext(record->native);
    if (!context)
        return nullptr;

    return glContexts.Add(window, context);
}

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context) {
    if (!context)
        return platform_backend::MakeGlContextCurrent(nullptr, nullptr) ? TRUE : FALSE;
    const auto* entry = glContexts.Find(context);
    // The DC's window may already be destroyed: its native window stays usable for drawing until
    // the DC is released, so that GL objects can still be deleted at shutdown.
    const WindowRecord* record = AnyWindow(WindowOfDc(dc));
    if (!entry || !record)
        return FALSE;
    return platform_backend::MakeGlContextCurrent(record->native, entry->value) ? TRUE : FALSE;
}

BOOL WINAPI wglDeleteContext(HGLRC context) {
    const auto* entry = glContexts.Find(context);
    if (!entry)
        return FALSE;
    platform_backend::DeleteGlContext(entry->value);
    glContexts.Remove(context);
    return TRUE;
}
