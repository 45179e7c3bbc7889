// Pixel formats, buffer swaps and OpenGL contexts on SDL. Every window is created with the one pixel
// format the layer offers (RGBA8, depth 24, double-buffered, compatibility profile), so choosing and
// setting a format only checks that the request can be met by it.
#include "platform/core/GlContexts.h"
#include "platform/core/WindowDc.h"
#include "platform/core/WindowTable.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <map>
#include <memory>

namespace platform_windowing {

namespace {

struct GlContext {
    SDL_GLContext context = nullptr; // owned
    HWND window = nullptr;           // the window it was created for, kept alive while it exists
};

std::map<HGLRC, std::unique_ptr<GlContext>> glContexts;

GlContext* FindContext(HGLRC handle) {
    auto found = glContexts.find(handle);
    return found == glContexts.end() ? nullptr : found->second.get();
}

} // namespace

int LiveGlContextCount() {
    return static_cast<int>(glContexts.size());
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
    SDL_GL_SwapWindow(record->sdlWindow);
    // Swapping a window of the offscreen driver presents nothing and flushes nothing, so without
    // this the driver keeps every frame's immediate-mode commands queued and grows without bound.
    glFlush();
    return TRUE;
}

HGLRC WINAPI wglCreateContext(HDC dc) {
    const HWND window = WindowOfDc(dc);
    const WindowRecord* record = LiveWindow(window);
    // As on Windows, a context needs a window whose pixel format has been set.
    if (!record || record->pixelFormat < 1)
        return nullptr;
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    SDL_GLContext context = SDL_GL_CreateContext(record->sdlWindow);
    if (!context) {
        std::fprintf(stderr, "OpenGL context could not be created: %s\n", SDL_GetError());
        return nullptr;
    }
    // SDL makes the new context current; wglCreateContext leaves that to wglMakeCurrent.
    if (previousContext)
        SDL_GL_MakeCurrent(previousWindow, previousContext);
    else
        SDL_GL_MakeCurrent(record->sdlWindow, nullptr);

    auto entry = std::make_unique<GlContext>();
    entry->context = context;
    entry->window = window;
    const HGLRC handle = reinterpret_cast<HGLRC>(entry.get());
    glContexts.emplace(handle, std::move(entry));
    RetainWindow(window);
    return handle;
}

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context) {
    if (!context) {
        SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
        return TRUE;
    }
    const GlContext* entry = FindContext(context);
    // The DC's window may already be destroyed: its SDL window stays usable for drawing until the
    // DC is released, so that GL objects can still be deleted at shutdown.
    const WindowRecord* record = AnyWindow(WindowOfDc(dc));
    if (!entry || !record)
        return FALSE;
    return SDL_GL_MakeCurrent(record->sdlWindow, entry->context) == 0 ? TRUE : FALSE;
}

BOOL WINAPI wglDeleteContext(HGLRC context) {
    auto found = glContexts.find(context);
    if (found == glContexts.end())
        return FALSE;
    if (SDL_GL_GetCurrentContext() == found->second->context)
        SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
    SDL_GL_DeleteContext(found->second->context);
    const HWND window = found->second->window;
    glContexts.erase(found);
    ReleaseWindow(window);
    return TRUE;
}
