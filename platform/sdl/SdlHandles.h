// The SDL objects behind the back end's opaque native handles.
#pragma once

#include "platform/core/Backend.h"

#include <SDL_video.h>

namespace platform_sdl {

inline SDL_Window* SdlWindow(platform_backend::NativeWindow window) {
    return reinterpret_cast<SDL_Window*>(window);
}
inline platform_backend::NativeWindow Native(SDL_Window* window) {
    return reinterpret_cast<platform_backend::NativeWindow>(window);
}
inline SDL_GLContext SdlContext(platform_backend::NativeGlContext context) {
    return static_cast<SDL_GLContext>(context);
}
inline platform_backend::NativeGlContext Native(SDL_GLContext context) {
    return static_cast<platform_backend::NativeGlContext>(context);
}

} // namespace platform_sdl
