#include "gui/QV_MessageBoxButton.h"

bool QV_MessageBoxButton::OnMouseUp() {
    if (!enabled)
        return false;
    // The box learns the answer from the count; the click list is never fired.
    if (HitTest(width, height)) {
        ++pressCount;
        return true;
    }
    state = ButtonState::Normal;
    return false;
}
