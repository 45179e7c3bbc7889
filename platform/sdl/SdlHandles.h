// The SDL objects behind the back end's opaque native handles.
#pragma once

#include "platform/core/Backend.h"

#include <SDL_video.h>

namespace platform_backend {

// The core's native window: an SDL window, which the back end may replace behind the same handle
// (SdlWindows.cpp says when).
struct NativeWindowObject {
    SDL_Window* window = nullptr; // owned
    bool shown = false;
    int glContexts = 0; // GL contexts made for the window and not yet deleted
};

} // namespace platform_backend

namespace platform_sdl {

// The SDL window's data under this name is its native window.
inline constexpr const char* nativeWindowKey = "tessary.native";

inline SDL_Window* SdlWindow(platform_backend::NativeWindow window) {
    return window ? window->window : nullptr;
}
// Null for no window and for an SDL window that is not one of the back end's.
inline platform_backend::NativeWindow Native(SDL_Window* window) {
    return window ? static_cast<platform_backend::NativeWindow>(SDL_GetWindowData(window, nativeWindowKey))
                  : nullptr;
}
inline SDL_GLContext SdlContext(platform_backend::NativeGlContext context) {
    return static_cast<SDL_GLContext>(context);
}
inline platform_backend::NativeGlContext Native(SDL_GLContext context) {
    return static_cast<platform_backend::NativeGlContext>(context);
}

} // namespace platform_sdl
