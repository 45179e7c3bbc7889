#include "gui/ButtonBehaviour.h"

#include "gui/QV_Controller.h"

bool PressControl(QV_Controller& control, int32_t width, int32_t height, ButtonState& state) {
    if (!control.enabled || !control.visible || !control.HitTest(width, height))
        return false;
    state = ButtonState::Pressed;
    CallHandlers(control.mouseDownHandlers, &control);
    return true;
}

bool TrackHover(QV_Controller& control, int32_t width, int32_t height, ButtonState& state, bool& hovered) {
    if (control.HitTest(width, height)) {
        if (state != ButtonState::Pressed)
            state = ButtonState::Hover;
        const bool entered = !hovered;
        hovered = true;
        if (entered)
            CallHandlers(control.mouseEnterHandlers, &control);
        return true;
    }
    // Leaving while pressed drops the pressed look; coming back shows Hover.
    state = ButtonState::Normal;
    const bool left = hovered;
    hovered = false;
    if (left)
        CallHandlers(control.mouseLeaveHandlers, &control);
    return false;
}

bool ReleaseControl(QV_Controller& control, int32_t width, int32_t height, ButtonState& state) {
    if (!control.enabled || !control.visible)
        return false;
    state = ButtonState::Normal;
    return control.HitTest(width, height);
}
