// Starting and stopping SDL, and the thread's sleep.
#include "platform/sdl/SdlVideo.h"

#include "platform/core/Backend.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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

bool HasScreen(const char* driver) {
    return std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0 &&
           std::strcmp(driver, "evdev") != 0;
}

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// The drivers SDL may try when SDL_VIDEODRIVER names none, in SDL's own order. SDL would fall back to
// a driver without a screen when no display can be opened, and the program would then run with no
// window anyone can see: such a driver runs only when SDL_VIDEODRIVER names it, as the tests do.
// Wayland is left out when neither WAYLAND_DISPLAY nor XDG_RUNTIME_DIR is set: there is no
// compositor to find then, and Wayland's client library would say so on stderr as SDL probes it.
std::string DriversWithScreen() {
    const bool waylandPossible = IsSet("WAYLAND_DISPLAY") || IsSet("XDG_RUNTIME_DIR");
    std::string drivers;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (!HasScreen(driver) || (!waylandPossible && std::strcmp(driver, "wayland") == 0))
            continue;
        if (!drivers.empty())
            drivers += ',';
        drivers += driver;
    }
    return drivers;
}

// SDL started on its offscreen driver because no display could be opened and only a hidden window
// was asked for.
bool withoutScreen = false;

// SDL_Init of the video subsystem on the drivers the hint names; on failure it leaves nothing
// started, so another driver can be tried.
bool InitVideo(const char* drivers) {
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, drivers, SDL_HINT_OVERRIDE);
    return SDL_Init(SDL_INIT_VIDEO) == 0;
}

} // namespace

namespace platform_sdl {

bool VideoStarted() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

} // namespace platform_sdl

namespace platform_backend {

bool StartVideo(bool screenNeeded) {
    if (platform_sdl::VideoStarted())
        return !(screenNeeded && withoutScreen);
    // Closing the last window must reach the program as WM_CLOSE only; SDL would add a second,
    // separate quit request for the same click.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // On Windows the click that activates a window reaches it (WM_MOUSEACTIVATE defaults to
    // MA_ACTIVATE). SDL's X11 driver drops a press that comes within 10 ms of the focus, which
    // under a click-to-focus window manager is every activating click.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    const bool named = requested && *requested;
    bool started = named ? SDL_Init(SDL_INIT_VIDEO) == 0 : InitVideo(DriversWithScreen().c_str());
    // A window that is never shown is only drawn into: the offscreen driver gives it a real GL
    // context without a display.
    if (!started && !named && !screenNeeded) {
        started = InitVideo("offscreen");
        withoutScreen = started;
    }
    if (!started) {
        // With no display to open there is nothing to add to the program's own line; a display that
        // is named but cannot be opened, a named driver that fails, or an offscreen driver that
        // fails gets SDL's reason.
        if (named || !screenNeeded || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"))
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
    withoutScreen = false;
}

} // namespace platform_backend
