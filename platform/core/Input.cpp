// Input reports become the messages Windows would have queued for the same input.
#include "platform/core/Input.h"

#include "platform/core/MessageQueue.h"
#include "platform/core/PlatformTesting.h"
#include "platform/core/WindowPlacement.h"
#include "platform/core/WindowTable.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstdint>

using namespace platform_windowing;

namespace platform_input {

namespace {

// Bits of lParam of key messages: the repeat count is always 1, bit 30 tells that the key was already
// down (auto-repeat, and every key-up), bit 31 that it is being released.
constexpr DWORD keyRepeatCountOne = 1;
constexpr DWORD keyWasDown = 1u << 30;
constexpr DWORD keyReleasing = 1u << 31;

// A fast spin reported as one huge turn is cut to 100 notches.
constexpr double maxWheelUnits = 100.0 * WHEEL_DELTA;

// What is held, as the reports taken so far tell it. Kept here rather than asked of the system
// because the flags must follow the messages as they are queued, not the devices as they are now.
std::bitset<256> heldKeys;
WPARAM heldButtons = 0; // MK_LBUTTON, MK_RBUTTON, MK_MBUTTON
// Where the last move or button report put the pointer, in client coordinates: where the buttons
// still held are let go when the window loses the keyboard.
POINT lastPoint = {0, 0};

WPARAM ButtonFlag(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return MK_LBUTTON;
    case MouseButton::Right:
        return MK_RBUTTON;
    case MouseButton::Middle:
        break;
    }
    return MK_MBUTTON;
}

UINT ButtonMessage(MouseButton button, bool down) {
    switch (button) {
    case MouseButton::Left:
        return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case MouseButton::Right:
        return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case MouseButton::Middle:
        break;
    }
    return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
}

WPARAM MouseKeyFlags() {
    WPARAM flags = heldButtons;
    if (heldKeys[VK_SHIFT])
        flags |= MK_SHIFT;
    if (heldKeys[VK_CONTROL])
        flags |= MK_CONTROL;
    return flags;
}

// Points as signed 16-bit words: a captured drag outside the window gives negative or large values,
// which must survive the packing, and values beyond a word are clamped rather than wrapped.
LPARAM PackPoint(long x, long y) {
    const auto word = [](long v) {
        return static_cast<uint16_t>(static_cast<int16_t>(std::clamp<long>(v, INT16_MIN, INT16_MAX)));
    };
    return MAKELPARAM(word(x), word(y));
}

POINT ToScreen(HWND window, int x, int y) {
    const POINT origin = ClientOrigin(*LiveWindow(window));
    return {static_cast<LONG>(origin.x + x), static_cast<LONG>(origin.y + y)};
}

void PostKey(HWND window, int virtualKey, bool down, bool repeat) {
    heldKeys[static_cast<size_t>(virtualKey)] = down;
    DWORD flags = keyRepeatCountOne;
    if (!down)
        flags |= keyWasDown | keyReleasing;
    else if (repeat)
        flags |= keyWasDown;
    PostToQueue(window, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(virtualKey),
                static_cast<LPARAM>(flags));
}

void PostButton(HWND window, MouseButton button, bool down, int x, int y) {
    const WPARAM flag = ButtonFlag(button);
    heldButtons = down ? (heldButtons | flag) : (heldButtons & ~flag);
    PostToQueue(window, ButtonMessage(button, down), MouseKeyFlags(), PackPoint(x, y));
}

void ReleaseButtonsHeld(HWND window) {
    for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle})
        if (heldButtons & ButtonFlag(button))
            PostButton(window, button, false, lastPoint.x, lastPoint.y);
}

// A window that loses the keyboard hears no more releases, so whatever is still held is let go
// first: otherwise a key held across a focus change would go on acting until pressed again.
void ReleaseEverythingHeld(HWND window) {
    for (int virtualKey = 1; virtualKey < 255; ++virtualKey)
        if (heldKeys[static_cast<size_t>(virtualKey)])
            PostKey(window, virtualKey, false, false);
    ReleaseButtonsHeld(window);
}

} // namespace

void ReportKey(NativeWindow native, int virtualKey, bool down, bool repeat) {
    const HWND window = WindowFromNative(native);
    if (!window || virtualKey <= 0 || virtualKey >= 255)
        return;
    PostKey(window, virtualKey, down, repeat);
}

void ReportCodeUnit(NativeWindow native, WCHAR unit) {
    if (const HWND window = WindowFromNative(native))
        PostToQueue(window, WM_CHAR, static_cast<WPARAM>(unit), static_cast<LPARAM>(keyRepeatCountOne));
}

// Messages carry the pointer position in screen coordinates in `pt`.
void ReportMove(NativeWindow native, int x, int y) {
    const HWND window = WindowFromNative(native);
    if (!window)
        return;
    NotePointerPosition(ToScreen(window, x, y));
    lastPoint = {x, y};
    PostToQueue(window, WM_MOUSEMOVE, MouseKeyFlags(), PackPoint(x, y));
}

void ReportButton(NativeWindow native, MouseButton button, bool down, int x, int y) {
    const HWND window = WindowFromNative(native);
    if (!window)
        return;
    NotePointerPosition(ToScreen(window, x, y));
    lastPoint = {x, y};
    if (((heldButtons & ButtonFlag(button)) != 0) == down)
        return;
    PostButton(window, button, down, x, y);
}

void ReportButtonsLost(NativeWindow native) {
    if (const HWND window = WindowFromNative(native))
        ReleaseButtonsHeld(window);
}

// 120 per notch in the high word, positive away from the user; fractions of a notch pass on as
// smaller deltas, as on Windows. A turn of several notches becomes one message per notch: a receiver
// that scales the delta (the camera zooms by a fraction of its distance) then checks its limits at
// every notch instead of jumping past them in one step.
void ReportWheel(NativeWindow native, double units, int x, int y) {
    const HWND window = WindowFromNative(native);
    if (!window || std::isnan(units))
        return;
    long remaining = std::lround(std::clamp(units, -maxWheelUnits, maxWheelUnits));
    if (remaining == 0)
        return;
    // Unlike the other mouse messages, the wheel carries the pointer in screen coordinates.
    const POINT screen = ToScreen(window, x, y);
    NotePointerPosition(screen);
    while (remaining != 0) {
        const long delta = std::clamp(remaining, -long(WHEEL_DELTA), long(WHEEL_DELTA));
        remaining -= delta;
        PostToQueue(window, WM_MOUSEWHEEL,
                    MAKEWPARAM(MouseKeyFlags(), static_cast<uint16_t>(static_cast<int16_t>(delta))),
                    PackPoint(screen.x, screen.y));
    }
}

// Windows tells the program it lost the keyboard with WM_ACTIVATEAPP(FALSE) before WM_KILLFOCUS, and
// that it got it back with WM_ACTIVATEAPP(TRUE) before WM_SETFOCUS. Keys and buttons still held are
// released here, before the loss, for every back end, so that none of them keeps a key down.
void ReportFocus(NativeWindow native, bool gained) {
    const HWND window = WindowFromNative(native);
    if (!window)
        return;
    if (!gained)
        ReleaseEverythingHeld(window);
    PostToQueue(window, WM_ACTIVATEAPP, gained ? TRUE : FALSE, 0);
    PostToQueue(window, gained ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
}

// No message in this subset, but GetWindowRect must follow where the window manager put it.
void ReportClientMoved(NativeWindow native, int x, int y) {
    if (const HWND window = WindowFromNative(native))
        NoteClientMoved(*LiveWindow(window), x, y);
}

void ReportClose(NativeWindow native) {
    if (const HWND window = WindowFromNative(native))
        PostToQueue(window, WM_CLOSE, 0, 0);
}

void ReportCloseEveryWindow() {
    for (HWND window : LiveWindows())
        PostToQueue(window, WM_CLOSE, 0, 0);
}

} // namespace platform_input

void platform_testing::ForgetHeldInput() {
    platform_input::heldKeys.reset();
    platform_input::heldButtons = 0;
    platform_input::lastPoint = {0, 0};
}
