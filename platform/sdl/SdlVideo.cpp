// Starting and stopping SDL, and the thread's sleep.
#include "platform/sdl/SdlVideo.h"

#include "platform/core/Backend.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// What the program asks of its pixel format: RGBA with 8 bits a channel, a depth buffer and double
// buffering, and a compatibility context so that OpenGL 1.1 immediate mode and GLU keep working.
void SetGlAttributes() {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

} // namespace

namespace platform_sdl {

bool VideoStarted() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

} // namespace platform_sdl

namespace platform_backend {

bool StartVideo() {
    if (platform_sdl::VideoStarted())
        return true;
    // Closing the last window must reach the program as WM_CLOSE only; SDL would add a second,
    // separate quit request for the same click.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL video could not start: %s\n", SDL_GetError());
        return false;
    }
    SetGlAttributes();
    return true;
}

void SleepMilliseconds(DWORD milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void ShutdownBackend() {
    SDL_Quit();
}

} // namespace platform_backend
