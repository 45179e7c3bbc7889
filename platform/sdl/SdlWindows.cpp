// Native windows as SDL windows, each exactly the client area of its Win32 window.
#include "platform/core/Backend.h"
#include "platform/core/Utf16Text.h"
#include "platform/sdl/SdlHandles.h"

#include <SDL.h>

#include <cstdio>

using platform_sdl::Native;
using platform_sdl::SdlWindow;

namespace platform_backend {

NativeWindow CreateNativeWindow(const NativeWindowLook& look) {
    Uint32 flags = SDL_WINDOW_OPENGL;
    if (!look.visible)
        flags |= SDL_WINDOW_HIDDEN;
    if (!look.captioned)
        flags |= SDL_WINDOW_BORDERLESS;
    if (look.topmost)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    SDL_Window* created = SDL_CreateWindow(platform_utf16::Utf16ToUtf8(look.title).c_str(), look.origin.x,
                                           look.origin.y, look.width, look.height, flags);
    if (!created) {
        std::fprintf(stderr, "SDL window could not be created: %s\n", SDL_GetError());
        return nullptr;
    }
    // Typed characters arrive as SDL text events, which must be switched on.
    SDL_StartTextInput();
    return Native(created);
}

void DestroyNativeWindow(NativeWindow window) {
    SDL_DestroyWindow(SdlWindow(window));
}

void ShowNativeWindow(NativeWindow window, bool visible) {
    if (visible)
        SDL_ShowWindow(SdlWindow(window));
    else
        SDL_HideWindow(SdlWindow(window));
}

void PlaceNativeWindow(NativeWindow window, POINT origin, LONG width, LONG height) {
    SDL_SetWindowSize(SdlWindow(window), width, height);
    SDL_SetWindowPosition(SdlWindow(window), origin.x, origin.y);
}

void RestyleNativeWindow(NativeWindow window, bool captioned, bool topmost) {
    SDL_SetWindowBordered(SdlWindow(window), captioned ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowAlwaysOnTop(SdlWindow(window), topmost ? SDL_TRUE : SDL_FALSE);
}

} // namespace platform_backend
