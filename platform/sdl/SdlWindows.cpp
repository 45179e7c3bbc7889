// Native windows as SDL windows, each exactly the client area of its Win32 window.
#include "platform/core/Backend.h"
// The core's one UTF-8 encoder: SDL takes window titles as UTF-8.
#include "platform/core/Utf16Text.h"
#include "platform/sdl/SdlHandles.h"

#include <SDL.h>

#include <cstdio>
#include <string>

using platform_sdl::SdlWindow;

namespace {

SDL_Window* MakeSdlWindow(const char* title, POINT origin, LONG width, LONG height, Uint32 flags) {
    SDL_Window* created = SDL_CreateWindow(title, origin.x, origin.y, width, height, flags);
    // A display without OpenGL (an X server without GLX) refuses an OpenGL window. A Win32 window
    // needs no OpenGL to exist, so it is made without; the program then finds that no context can
    // be made for it and says that OpenGL is what the display lacks.
    if (!created && (flags & SDL_WINDOW_OPENGL))
        created = SDL_CreateWindow(title, origin.x, origin.y, width, height, flags & ~SDL_WINDOW_OPENGL);
    if (!created) {
        std::fprintf(stderr, "SDL window could not be created: %s\n", SDL_GetError());
        return nullptr;
    }
    // Typed characters arrive as SDL text events, which must be switched on.
    SDL_StartTextInput();
    return created;
}

void Attach(platform_backend::NativeWindow native, SDL_Window* window) {
    native->window = window;
    SDL_SetWindowData(window, platform_sdl::nativeWindowKey, native);
}

// Some drivers (SDL's offscreen one) give a window a drawable of its first size for good. The
// program sizes its window before showing it or drawing in it, so a hidden window that no GL context
// uses yet simply gets a new SDL window of the new size behind the same native window. False, with
// nothing changed, when SDL cannot make one.
bool Replace(platform_backend::NativeWindowObject& native, POINT origin, LONG width, LONG height) {
    SDL_Window* old = native.window;
    const Uint32 kept = SDL_GetWindowFlags(old) & (SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP);
    const std::string title = SDL_GetWindowTitle(old);
    SDL_Window* created =
        MakeSdlWindow(title.c_str(), origin, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | kept);
    if (!created)
        return false;
    Attach(&native, created);
    SDL_DestroyWindow(old);
    return true;
}

} // namespace

namespace platform_backend {

NativeWindow CreateNativeWindow(const NativeWindowLook& look) {
    Uint32 flags = SDL_WINDOW_OPENGL;
    if (!look.visible)
        flags |= SDL_WINDOW_HIDDEN;
    if (!look.captioned)
        flags |= SDL_WINDOW_BORDERLESS;
    if (look.topmost)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    SDL_Window* created = MakeSdlWindow(platform_utf16::Utf16ToUtf8(look.title).c_str(), look.origin,
                                        look.width, look.height, flags);
    if (!created)
        return nullptr;
    auto* native = new NativeWindowObject;
    native->shown = look.visible;
    Attach(native, created);
    return native;
}

void DestroyNativeWindow(NativeWindow window) {
    SDL_DestroyWindow(SdlWindow(window));
    delete window;
}

void ShowNativeWindow(NativeWindow window, bool visible) {
    window->shown = visible;
    if (visible)
        SDL_ShowWindow(SdlWindow(window));
    else
        SDL_HideWindow(SdlWindow(window));
}

void PlaceNativeWindow(NativeWindow window, POINT origin, LONG width, LONG height) {
    int oldWidth = 0, oldHeight = 0;
    SDL_GetWindowSize(SdlWindow(window), &oldWidth, &oldHeight);
    const bool resized = width != oldWidth || height != oldHeight;
    if (resized && !window->shown && window->glContexts == 0 && Replace(*window, origin, width, height))
        return;
    SDL_SetWindowSize(SdlWindow(window), width, height);
    SDL_SetWindowPosition(SdlWindow(window), origin.x, origin.y);
}

void RestyleNativeWindow(NativeWindow window, bool captioned, bool topmost) {
    SDL_SetWindowBordered(SdlWindow(window), captioned ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowAlwaysOnTop(SdlWindow(window), topmost ? SDL_TRUE : SDL_FALSE);
}

} // namespace platform_backend
