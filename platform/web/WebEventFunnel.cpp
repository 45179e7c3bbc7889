// Every DOM event reaches the program through TranslateWebEvent, which reports it to the core's input
// module. dom_input.js has already reduced the event to virtual keys, code units, the two buttons,
// canvas pixels and whole wheel notches.
#include "platform/web/WebEventFunnel.h"

#include "platform/core/Input.h"

using namespace platform_input;

namespace {

enum EventKind { keyEvent = 1, charEvent = 2, mouseEvent = 3, wheelEvent = 4, focusEvent = 5 };
enum MouseKind { mouseMove = 0, mouseDown = 1, mouseUp = 2 };

// A mouse event: its kind, the window's button (0 left, 1 right, anything else for a move) and the
// canvas pixel.
void Mouse(NativeWindow canvas, int kind, int button, int x, int y) {
    if (kind == mouseMove)
        ReportMove(canvas, x, y);
    else if (button == 0 || button == 1)
        ReportButton(canvas, button == 0 ? MouseButton::Left : MouseButton::Right, kind == mouseDown, x, y);
}

} // namespace

namespace platform_web {

void TranslateWebEvent(NativeWindow canvas, int kind, int a, int b, int c, int d) {
    switch (kind) {
    case keyEvent:
        ReportKey(canvas, a, b != 0, c != 0);
        break;
    case charEvent:
        ReportCodeUnit(canvas, static_cast<WCHAR>(a & 0xFFFF));
        break;
    case mouseEvent:
        Mouse(canvas, a, b, c, d);
        break;
    case wheelEvent:
        ReportWheel(canvas, static_cast<double>(a) * WHEEL_DELTA, b, c);
        break;
    case focusEvent:
        ReportFocus(canvas, a != 0);
        break;
    default:
        break;
    }
}

} // namespace platform_web
