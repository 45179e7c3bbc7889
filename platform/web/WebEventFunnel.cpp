// Every DOM event reaches the program through TranslateWebEvent, which reports it to the core's input
// module. The page has already reduced the event to virtual keys, code units, the two buttons, canvas
// pixels and wheel units; what to make of a repeated press or a lost release is the core's to decide.
#include "platform/web/WebEventFunnel.h"

#include "platform/core/Input.h"

using namespace platform_input;
using namespace web_host;

namespace {

constexpr MouseButton buttons[] = {MouseButton::Left, MouseButton::Right};

// The browser says which buttons are held with every pointer event: one it no longer holds was
// released, also when the release itself never reached the canvas.
void Mouse(NativeWindow canvas, const InputRecord& record) {
    if (record.action == mouseLost) {
        ReportButtonsLost(canvas);
        return;
    }
    for (int b = 0; b < 2; ++b)
        if ((record.buttons & (1 << b)) == 0)
            ReportButton(canvas, buttons[b], false, record.x, record.y);
    if (record.action == mouseMove)
        ReportMove(canvas, record.x, record.y);
    else if (record.button == 0 || record.button == 1)
        ReportButton(canvas, buttons[record.button], record.action == mouseDown, record.x, record.y);
}

} // namespace

namespace platform_web {

void TranslateWebEvent(NativeWindow canvas, const InputRecord& record) {
    switch (record.kind) {
    case keyEvent:
        ReportKey(canvas, record.key, record.down != 0, record.repeat != 0);
        break;
    case charEvent:
        ReportCodeUnit(canvas, static_cast<WCHAR>(record.unit & 0xFFFF));
        break;
    case mouseEvent:
        Mouse(canvas, record);
        break;
    case wheelEvent:
        ReportWheel(canvas, record.wheelUnits, record.x, record.y);
        break;
    case focusEvent:
        ReportFocus(canvas, record.down != 0);
        break;
    default:
        break;
    }
}

} // namespace platform_web
