// Every DOM event reaches the program through TranslateWebEvent, which turns it into the Win32
// messages Windows would have queued for the same input. dom_input.js has already reduced the
// event to virtual keys, code units, the two buttons, canvas pixels and whole wheel notches.
#include "platform/web/WebEventFunnel.h"

#include "platform/core/MessageQueue.h"
#include "platform/core/WindowPlacement.h"
#include "platform/core/WindowTable.h"
#include "platform/web/WebHost.h"

#include <algorithm>
#include <cstdint>

using namespace platform_windowing;
using namespace web_host;

namespace {

constexpr WPARAM mkLeftButton = 0x0001, mkRightButton = 0x0002, mkShift = 0x0004, mkControl = 0x0008;
constexpr DWORD keyRepeatCountOne = 1, keyWasDown = 1u << 30, keyReleasing = 1u << 31;

bool heldLeft = false, heldRight = false, heldShift = false, heldControl = false;

WPARAM MouseKeyFlags() {
    return (heldLeft ? mkLeftButton : 0) | (heldRight ? mkRightButton : 0) | (heldShift ? mkShift : 0) |
           (heldControl ? mkControl : 0);
}

LPARAM PackPoint(int x, int y) {
    const auto word = [](int v) {
        return static_cast<uint16_t>(static_cast<int16_t>(std::clamp(v, -32768, 32767)));
    };
    return MAKELPARAM(word(x), word(y));
}

POINT ToScreen(HWND window, int x, int y) {
    const POINT origin = ClientOrigin(*LiveWindow(window));
    return {origin.x + x, origin.y + y};
}

void Key(HWND window, int virtualKey, bool down, bool repeat) {
    if (virtualKey == VK_SHIFT)
        heldShift = down;
    if (virtualKey == VK_CONTROL)
        heldControl = down;
    DWORD flags = keyRepeatCountOne;
    if (!down)
        flags |= keyWasDown | keyReleasing;
    else if (repeat)
        flags |= keyWasDown;
    PostToQueue(window, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(virtualKey),
                static_cast<LPARAM>(flags));
}

void Mouse(HWND window, int kind, int button, int x, int y) {
    NotePointerPosition(ToScreen(window, x, y));
    if (kind == mouseMove) {
        PostToQueue(window, WM_MOUSEMOVE, MouseKeyFlags(), PackPoint(x, y));
        return;
    }
    const bool down = kind == mouseDown;
    bool& held = button == 0 ? heldLeft : heldRight;
    if (held == down)
        return; // a repeated report of a state already passed on
    held = down;
    const UINT message =
        button == 0 ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP) : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
    PostToQueue(window, message, MouseKeyFlags(), PackPoint(x, y));
}

// One message of ±120 per notch, positive away from the user, the pointer in screen coordinates.
void Wheel(HWND window, int notches, int x, int y) {
    const POINT screen = ToScreen(window, x, y);
    NotePointerPosition(screen);
    notches = std::clamp(notches, -100, 100);
    for (int i = 0; i < std::abs(notches); ++i) {
        const int16_t delta = notches > 0 ? WHEEL_DELTA : -WHEEL_DELTA;
        PostToQueue(window, WM_MOUSEWHEEL, MAKEWPARAM(MouseKeyFlags(), static_cast<uint16_t>(delta)),
                    PackPoint(screen.x, screen.y));
    }
}

// The canvas losing the keyboard is the window losing it: WM_ACTIVATEAPP(FALSE) before WM_KILLFOCUS,
// and WM_ACTIVATEAPP(TRUE) before WM_SETFOCUS when it comes back.
void Focus(HWND window, bool gained) {
    PostToQueue(window, WM_ACTIVATEAPP, gained ? TRUE : FALSE, 0);
    PostToQueue(window, gained ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
}

} // namespace

namespace platform_windowing {

void TranslateWebEvent(HWND window, int kind, int a, int b, int c, int d) {
    if (!LiveWindow(window))
        return;
    switch (kind) {
    case keyEvent:
        Key(window, a, b != 0, c != 0);
        break;
    case charEvent:
        PostToQueue(window, WM_CHAR, static_cast<WPARAM>(a & 0xFFFF), static_cast<LPARAM>(keyRepeatCountOne));
        break;
    case mouseEvent:
        if (b == 0 || b == 1 || a == mouseMove)
            Mouse(window, a, b, c, d);
        break;
    case wheelEvent:
        Wheel(window, a, b, c);
        break;
    case focusEvent:
        Focus(window, a != 0);
        break;
    default:
        break;
    }
}

} // namespace platform_windowing
