// The input a windowing back end reports, in the terms Windows has before it makes messages of it:
// virtual keys, UTF-16 code units, buttons, and points in client coordinates of the native window
// the input belongs to. The core turns each report into the messages Windows would queue for it, in
// Windows' order and with Windows' argument ranges, and keeps what those messages need beyond one
// event: the keys and buttons held, from which the MK_* flags come, and where the client area is on
// the screen. A back end's event funnel only maps its events to these calls.
//
// A report for a native window that shows no live window (none, or one already destroyed) is
// dropped, and changes nothing that is held. Everything runs on the one program thread.
#pragma once

#include "platform/core/Backend.h"

namespace platform_input {

using platform_backend::NativeWindow;

enum class MouseButton { Left, Right, Middle };

// A key going down or up. `virtualKey` is a VK_* code (1 to 254; others are dropped); `repeat`
// marks a key-down of auto-repeat, the key being held already.
void ReportKey(NativeWindow window, int virtualKey, bool down, bool repeat);

// One UTF-16 code unit the user typed (a character beyond the BMP is two reports, its surrogates),
// reported right after the key that typed it.
void ReportCodeUnit(NativeWindow window, WCHAR unit);

// The pointer moved to (x, y). A captured drag outside the window gives negative or large values.
void ReportMove(NativeWindow window, int x, int y);

// A button went down or up at (x, y). A report that changes nothing held (a press of a button
// already down, a release of one that is up) is a repeated report of a state already passed on.
void ReportButton(NativeWindow window, MouseButton button, bool down, int x, int y);

// The system took the pointer away (a cancelled touch, a lost capture) without the releases of the
// buttons it held: they are let go where the pointer last was.
void ReportButtonsLost(NativeWindow window);

// The wheel turned by `units` 1/120 of a notch, positive away from the user, with the pointer at
// (x, y). Fractions of a notch are what smooth-scrolling devices measure.
void ReportWheel(NativeWindow window, double units, int x, int y);

// The window got or lost the keyboard.
void ReportFocus(NativeWindow window, bool gained);

// The window manager moved the client area's top-left corner to (x, y) of the screen.
void ReportClientMoved(NativeWindow window, int x, int y);

// The user asked to close the window (its close button).
void ReportClose(NativeWindow window);

// The system asked the program to end (a termination signal, the session ending): every window is
// asked to close, as its close button would.
void ReportCloseEveryWindow();

} // namespace platform_input
