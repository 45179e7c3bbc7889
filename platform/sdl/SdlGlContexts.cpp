// OpenGL contexts on SDL windows.
#include "platform/core/Backend.h"
#include "platform/sdl/SdlHandles.h"

#include <GL/gl.h>
#include <SDL.h>

#include <map>

using platform_sdl::Native;
using platform_sdl::SdlContext;
using platform_sdl::SdlWindow;

namespace {

// The native window each context was made for, so that a window knows while contexts use it.
std::map<SDL_GLContext, platform_backend::NativeWindow> contextWindows;

} // namespace

namespace platform_backend {

NativeGlContext CreateGlContext(NativeWindow window) {
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    // Without one the program says in its own line that the display offers no OpenGL.
    SDL_GLContext context = SDL_GL_CreateContext(SdlWindow(window));
    if (!context)
        return nullptr;
    // SDL makes the new context current; wglCreateContext leaves that to wglMakeCurrent.
    if (previousContext)
        SDL_GL_MakeCurrent(previousWindow, previousContext);
    else
        SDL_GL_MakeCurrent(SdlWindow(window), nullptr);
    contextWindows[context] = window;
    ++window->glContexts;
    return Native(context);
}

bool MakeGlContextCurrent(NativeWindow window, NativeGlContext context) {
    if (!context)
        return SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr) == 0;
    return SDL_GL_MakeCurrent(SdlWindow(window), SdlContext(context)) == 0;
}

void DeleteGlContext(NativeGlContext context) {
    if (SDL_GL_GetCurrentContext() == SdlContext(context))
        SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
    SDL_GL_DeleteContext(SdlContext(context));
    if (auto made = contextWindows.find(SdlContext(context)); made != contextWindows.end()) {
        --made->second->glContexts;
        contextWindows.erase(made);
    }
}

void SwapGlBuffers(NativeWindow window) {
    SDL_GL_SwapWindow(SdlWindow(window));
    // Swapping a window of the offscreen driver presents nothing and flushes nothing, so without
    // this the driver keeps every frame's immediate-mode commands queued and grows without bound.
    glFlush();
}

} // namespace platform_backend
