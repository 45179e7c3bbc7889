// Starting and stopping SDL, and the thread's sleep.
#include "platform/sdl/SdlVideo.h"

#include "platform/core/Backend.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstring>
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

// SDL falls back to a driver without a screen when no display can be opened: the program would then
// run with no window anyone can see. Such a driver is used only when SDL_VIDEODRIVER names it, as
// the tests do.
bool RequestedByName(const char* driver) {
    const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (!requested)
        return false;
    const size_t length = std::strlen(driver);
    for (const char* name = requested; *name;) {
        const size_t nameLength = std::strcspn(name, ",");
        if (nameLength == length && SDL_strncasecmp(name, driver, length) == 0)
            return true;
        name += nameLength;
        if (*name == ',')
            ++name;
    }
    return false;
}

bool HasScreen(const char* driver) {
    return std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0 &&
           std::strcmp(driver, "evdev") != 0;
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
    // On Windows the click that activates a window reaches it (WM_MOUSEACTIVATE defaults to
    // MA_ACTIVATE). SDL's X11 driver drops a press that comes within 10 ms of the focus, which
    // under a click-to-focus window manager is every activating click.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL video could not start: %s\n", SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!HasScreen(driver) && !RequestedByName(driver)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        std::fprintf(stderr,
                     "SDL video found no display (DISPLAY and WAYLAND_DISPLAY are unset or cannot be "
                     "opened) and would fall back to its '%s' driver, which has no screen\n",
                     driver);
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
