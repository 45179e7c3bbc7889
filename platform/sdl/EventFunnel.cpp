// Every SDL event reaches the program through TranslateSdlEvent, which reports it to the core's
// input module (platform/core/Input.h) in virtual keys, code units and client coordinates; the core
// makes the Win32 messages of it.
#include "platform/sdl/EventFunnel.h"

#include "platform/core/Backend.h"
#include "platform/core/Input.h"
// The core's one UTF-8 decoder, as for window titles: SDL hands typed text over as UTF-8.
#include "platform/core/Utf16Text.h"
#include "platform/sdl/SdlHandles.h"
#include "platform/sdl/SdlVideo.h"
#include "platform/sdl/VirtualKeys.h"

#include <SDL.h>

using namespace platform_input;

namespace platform_sdl {

namespace {

void TranslateKey(NativeWindow window, const SDL_KeyboardEvent& key) {
    if (const int virtualKey = VirtualKeyFromScancode(key.keysym.scancode))
        ReportKey(window, virtualKey, key.type == SDL_KEYDOWN, key.repeat != 0);
}

// SDL sends the text of a key right after the key itself, so the characters land right behind its
// WM_KEYDOWN, where TranslateMessage would have put them.
void TranslateText(NativeWindow window, const char* text) {
    for (WCHAR unit : platform_utf16::Utf8ToUtf16(text))
        ReportCodeUnit(window, unit);
}

void TranslateButton(NativeWindow window, const SDL_MouseButtonEvent& button) {
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    switch (button.button) {
    case SDL_BUTTON_LEFT:
        ReportButton(window, MouseButton::Left, down, button.x, button.y);
        return;
    case SDL_BUTTON_RIGHT:
        ReportButton(window, MouseButton::Right, down, button.x, button.y);
        return;
    case SDL_BUTTON_MIDDLE:
        ReportButton(window, MouseButton::Middle, down, button.x, button.y);
        return;
    default:
        return; // the side buttons have no messages in this subset
    }
}

// SDL counts whole notches in `y` and, from smooth-scrolling devices, fractions in `preciseY`; some
// drivers fill only `y`. A system set to reverse the wheel says so, and the reversal is undone here.
void TranslateWheel(NativeWindow window, const SDL_MouseWheelEvent& wheel) {
    double notches = wheel.preciseY != 0.0f ? wheel.preciseY : wheel.y;
    if (wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
        notches = -notches;
    ReportWheel(window, notches * WHEEL_DELTA, wheel.mouseX, wheel.mouseY);
}

void TranslateWindowEvent(NativeWindow window, const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
        ReportFocus(window, false);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        ReportFocus(window, true);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        ReportClose(window);
        break;
    case SDL_WINDOWEVENT_MOVED:
        ReportClientMoved(window, event.data1, event.data2);
        break;
    default:
        break;
    }
}

// The native window of the SDL window with this id; null when none is ours.
NativeWindow NativeFromSdlId(Uint32 sdlWindowId) {
    return Native(SDL_GetWindowFromID(sdlWindowId));
}

} // namespace

void TranslateSdlEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        // A termination request: SIGINT, SIGTERM, a session ending.
        ReportCloseEveryWindow();
        return;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKey(NativeFromSdlId(event.key.windowID), event.key);
        return;
    case SDL_TEXTINPUT:
        TranslateText(NativeFromSdlId(event.text.windowID), event.text.text);
        return;
    case SDL_MOUSEMOTION:
        ReportMove(NativeFromSdlId(event.motion.windowID), event.motion.x, event.motion.y);
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        TranslateButton(NativeFromSdlId(event.button.windowID), event.button);
        return;
    case SDL_MOUSEWHEEL:
        TranslateWheel(NativeFromSdlId(event.wheel.windowID), event.wheel);
        return;
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(NativeFromSdlId(event.window.windowID), event.window);
        return;
    default:
        return;
    }
}

} // namespace platform_sdl

namespace platform_backend {

void PumpEvents() {
    if (!platform_sdl::VideoStarted())
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        platform_sdl::TranslateSdlEvent(event);
}

bool WaitForEvents(int timeoutMs) {
    if (!platform_sdl::VideoStarted()) {
        // No window has ever existed, so nothing can arrive but what another caller posts; there is
        // no other thread, so this only paces a caller that waits anyway.
        SDL_Delay(static_cast<Uint32>(timeoutMs));
        return false;
    }
    SDL_Event event;
    if (!SDL_WaitEventTimeout(&event, timeoutMs))
        return false;
    platform_sdl::TranslateSdlEvent(event);
    return true;
}

} // namespace platform_backend
