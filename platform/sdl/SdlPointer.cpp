// Mouse capture and the system cursors, on SDL.
#include "platform/core/Backend.h"
#include "platform/sdl/SdlVideo.h"

#include <SDL.h>

namespace {

// Created on first use; they live for the rest of the process.
SDL_Cursor* arrowCursor = nullptr;
SDL_Cursor* ibeamCursor = nullptr;

SDL_Cursor* SdlCursor(platform_backend::SystemCursor cursor) {
    SDL_Cursor*& made = cursor == platform_backend::SystemCursor::IBeam ? ibeamCursor : arrowCursor;
    if (!made)
        made =
            SDL_CreateSystemCursor(cursor == platform_backend::SystemCursor::IBeam ? SDL_SYSTEM_CURSOR_IBEAM
                                                                                   : SDL_SYSTEM_CURSOR_ARROW);
    return made;
}

} // namespace

namespace platform_backend {

// Some video drivers (the offscreen one among them) cannot capture; SDL then leaves it be.
void CaptureMouse(bool capture) {
    if (platform_sdl::VideoStarted())
        SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

void ApplyCursor(SystemCursor cursor) {
    // Before the first window there is no display to show a cursor on.
    if (!platform_sdl::VideoStarted())
        return;
    if (cursor == SystemCursor::Hidden) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    if (SDL_Cursor* sdlCursor = SdlCursor(cursor))
        SDL_SetCursor(sdlCursor);
    SDL_ShowCursor(SDL_ENABLE);
}

} // namespace platform_backend
