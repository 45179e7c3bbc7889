// The SDL window behind a window of the SDL back end, for tests that look at SDL itself or push
// events into SDL's queue for a window.
#pragma once

#include "platform/core/WindowTable.h"
#include "platform/sdl/SdlHandles.h"

#include <SDL.h>

inline SDL_Window* SdlWindowOf(HWND window) {
    const platform_windowing::WindowRecord* record = platform_windowing::LiveWindow(window);
    return record ? platform_sdl::SdlWindow(record->native) : nullptr;
}

inline Uint32 SdlWindowIdOf(HWND window) {
    SDL_Window* sdlWindow = SdlWindowOf(window);
    return sdlWindow ? SDL_GetWindowID(sdlWindow) : 0;
}
