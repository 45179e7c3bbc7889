// Every SDL event reaches the program through TranslateSdlEvent, which turns it into the Win32
// messages Windows would have queued for the same input, with their argument ranges enforced here.
#include "platform/sdl/EventFunnel.h"

#include "platform/core/Backend.h"
#include "platform/core/MessageQueue.h"
#include "platform/core/Utf16Text.h"
#include "platform/core/WindowPlacement.h"
#include "platform/core/WindowTable.h"
#include "platform/sdl/SdlHandles.h"
#include "platform/sdl/SdlVideo.h"
#include "platform/sdl/VirtualKeys.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

using namespace platform_windowing;

namespace platform_sdl {

namespace {

// Key-state flags in wParam of mouse messages (MK_LBUTTON and friends).
constexpr WPARAM mkLeftButton = 0x0001;
constexpr WPARAM mkRightButton = 0x0002;
constexpr WPARAM mkShift = 0x0004;
constexpr WPARAM mkControl = 0x0008;
constexpr WPARAM mkMiddleButton = 0x0010;

// Bits of lParam of key messages: the repeat count is always 1, bit 30 tells that the key was already
// down (auto-repeat, and every key-up), bit 31 that it is being released.
constexpr DWORD keyRepeatCountOne = 1;
constexpr DWORD keyWasDown = 1u << 30;
constexpr DWORD keyReleasing = 1u << 31;

// The buttons pressed and not yet released, as SDL button masks. Kept here rather than asked of SDL
// because the flags must follow the events as they are taken, not the mouse as it is now.
Uint32 heldButtons = 0;

int16_t ClampToInt16(long value) {
    return static_cast<int16_t>(std::clamp<long>(value, INT16_MIN, INT16_MAX));
}

// Client coordinates as signed 16-bit words: a captured drag outside the window gives negative or
// large values, which must survive the packing.
LPARAM PackPoint(long x, long y) {
    return MAKELPARAM(static_cast<uint16_t>(ClampToInt16(x)), static_cast<uint16_t>(ClampToInt16(y)));
}

WPARAM MouseKeyFlags(Uint32 buttons) {
    WPARAM flags = 0;
    if (buttons & SDL_BUTTON_LMASK)
        flags |= mkLeftButton;
    if (buttons & SDL_BUTTON_RMASK)
        flags |= mkRightButton;
    if (buttons & SDL_BUTTON_MMASK)
        flags |= mkMiddleButton;
    const SDL_Keymod modifiers = SDL_GetModState();
    if (modifiers & KMOD_SHIFT)
        flags |= mkShift;
    if (modifiers & KMOD_CTRL)
        flags |= mkControl;
    return flags;
}

// Messages carry the pointer position in screen coordinates in `pt`.
void NotePointer(HWND window, long x, long y) {
    if (const WindowRecord* record = LiveWindow(window)) {
        const POINT origin = ClientOrigin(*record);
        NotePointerPosition({static_cast<LONG>(origin.x + x), static_cast<LONG>(origin.y + y)});
    }
}

void TranslateKey(HWND window, const SDL_KeyboardEvent& key) {
    const int virtualKey = VirtualKeyFromScancode(key.keysym.scancode);
    if (virtualKey == 0)
        return;
    const bool down = key.type == SDL_KEYDOWN;
    DWORD flags = keyRepeatCountOne;
    if (!down)
        flags |= keyWasDown | keyReleasing;
    else if (key.repeat)
        flags |= keyWasDown;
    PostToQueue(window, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(virtualKey),
                static_cast<LPARAM>(flags));
}

// SDL sends the text of a key right after the key itself, so the characters land right behind its
// WM_KEYDOWN, where TranslateMessage would have put them. One WM_CHAR per UTF-16 code unit: a
// character beyond the BMP arrives as its two surrogates, as on Windows.
void TranslateText(HWND window, const char* text) {
    for (WCHAR unit : platform_utf16::Utf8ToUtf16(text))
        PostToQueue(window, WM_CHAR, static_cast<WPARAM>(unit), static_cast<LPARAM>(keyRepeatCountOne));
}

void TranslateMotion(HWND window, const SDL_MouseMotionEvent& motion) {
    NotePointer(window, motion.x, motion.y);
    PostToQueue(window, WM_MOUSEMOVE, MouseKeyFlags(motion.state), PackPoint(motion.x, motion.y));
}

void TranslateButton(HWND window, const SDL_MouseButtonEvent& button) {
    UINT message = 0;
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    switch (button.button) {
    case SDL_BUTTON_LEFT:
        message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        break;
    case SDL_BUTTON_RIGHT:
        message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        break;
    case SDL_BUTTON_MIDDLE:
        message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        break;
    default:
        return; // the side buttons have no messages in this subset
    }
    const Uint32 mask = SDL_BUTTON(button.button);
    heldButtons = down ? (heldButtons | mask) : (heldButtons & ~mask);
    NotePointer(window, button.x, button.y);
    PostToQueue(window, message, MouseKeyFlags(heldButtons), PackPoint(button.x, button.y));
}

// 120 per notch in the high word, positive when the wheel turns away from the user. Smooth-scrolling
// devices give fractions of a notch, which Windows passes on as smaller deltas too. A fast spin that
// SDL reports as several notches at once becomes one message per notch: a receiver that scales the
// delta (the camera zooms by a fraction of its distance) then checks its limits at every notch
// instead of jumping past them in one step.
void TranslateWheel(HWND window, const SDL_MouseWheelEvent& wheel) {
    double notches = wheel.preciseY != 0.0f ? wheel.preciseY : wheel.y;
    if (wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
        notches = -notches;
    constexpr long maxNotchesPerEvent = 100;
    long remaining = std::lround(
        std::clamp(notches, -double(maxNotchesPerEvent), double(maxNotchesPerEvent)) * WHEEL_DELTA);
    if (remaining == 0)
        return; // sideways scrolling only
    // Unlike the other mouse messages, the wheel carries the pointer in screen coordinates.
    const WindowRecord* record = LiveWindow(window);
    const POINT origin = ClientOrigin(*record);
    const long screenX = origin.x + wheel.mouseX;
    const long screenY = origin.y + wheel.mouseY;
    NotePointerPosition({static_cast<LONG>(screenX), static_cast<LONG>(screenY)});
    while (remaining != 0) {
        const long delta = std::clamp(remaining, -long(WHEEL_DELTA), long(WHEEL_DELTA));
        remaining -= delta;
        PostToQueue(
            window, WM_MOUSEWHEEL,
            MAKEWPARAM(MouseKeyFlags(heldButtons), static_cast<uint16_t>(static_cast<int16_t>(delta))),
            PackPoint(screenX, screenY));
    }
}

// Windows tells the program it lost the keyboard with WM_ACTIVATEAPP(FALSE) before WM_KILLFOCUS, and
// that it got it back with WM_ACTIVATEAPP(TRUE) before WM_SETFOCUS.
void TranslateWindowEvent(HWND window, const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
        PostToQueue(window, WM_ACTIVATEAPP, FALSE, 0);
        PostToQueue(window, WM_KILLFOCUS, 0, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        PostToQueue(window, WM_ACTIVATEAPP, TRUE, 0);
        PostToQueue(window, WM_SETFOCUS, 0, 0);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        PostToQueue(window, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_MOVED:
        // No message in this subset, but GetWindowRect must follow where the window manager put it.
        NoteClientMoved(*LiveWindow(window), event.data1, event.data2);
        break;
    default:
        break;
    }
}

// The live window of the SDL window with this id; null when none.
HWND WindowFromSdlId(Uint32 sdlWindowId) {
    return WindowFromNative(Native(SDL_GetWindowFromID(sdlWindowId)));
}

} // namespace

void TranslateSdlEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        // A termination request (SIGINT, SIGTERM, a session ending) closes the windows the way their
        // close button would.
        for (HWND window : LiveWindows())
            PostToQueue(window, WM_CLOSE, 0, 0);
        return;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (HWND window = WindowFromSdlId(event.key.windowID))
            TranslateKey(window, event.key);
        return;
    case SDL_TEXTINPUT:
        if (HWND window = WindowFromSdlId(event.text.windowID))
            TranslateText(window, event.text.text);
        return;
    case SDL_MOUSEMOTION:
        if (HWND window = WindowFromSdlId(event.motion.windowID))
            TranslateMotion(window, event.motion);
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (HWND window = WindowFromSdlId(event.button.windowID))
            TranslateButton(window, event.button);
        return;
    case SDL_MOUSEWHEEL:
        if (HWND window = WindowFromSdlId(event.wheel.windowID))
            TranslateWheel(window, event.wheel);
        return;
    case SDL_WINDOWEVENT:
        if (HWND window = WindowFromSdlId(event.window.windowID))
            TranslateWindowEvent(window, event.window);
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
