#include "gui/QV_Button.h"

#include "gui/QV_Label.h"
#include "gui/TextTexture.h"

QV_Button::QV_Button() : QV_Button(L"马上生成～～", 874) {
    y = 20;
    width = 100;
}

QV_Button::QV_Button(const WCHAR* text, int32_t x) {
    caption = new QV_Label();
    caption->SetText(text);
    this->x = x;
    y = 384;
}

QV_Button::~QV_Button() {
    delete caption;
}

void QV_Button::Draw() {
    int32_t ax = 0;
    int32_t ay = 0;
    AbsolutePosition(ax, ay);
    DrawButtonFrame(ax, ay, width, height, enabled, state);
    if (!caption)
        return;
    // Centred on the measured text, not on the power-of-two texture, so the glyphs sit in the middle
    // even though the quad drawn is larger. A caption wider than the button overflows both sides.
    caption->enabled = enabled;
    caption->x = ax + width / 2 - caption->texture->textWidth / 2;
    caption->y = ay + height / 2 - caption->texture->textHeight / 2;
    caption->Draw();
}

bool QV_Button::OnMouseDown() {
    if (!enabled || !visible)
        return false;
    if (!HitTest(width, height))
        return false;
    state = ButtonState::Pressed;
    CallHandlers(mouseDownHandlers, static_cast<QV_Controller*>(this));
    return true;
}

bool QV_Button::OnMouseUp() {
    if (!enabled || !visible)
        return false;
    // Only the release decides: it clicks when it is inside, wherever the press was.
    state = ButtonState::Normal;
    if (!HitTest(width, height))
        return false;
    CallHandlers(mouseUpHandlers, static_cast<QV_Controller*>(this));
    return true;
}

bool QV_Button::OnMouseMove() {
    if (HitTest(width, height)) {
        if (state != ButtonState::Pressed)
            state = ButtonState::Hover;
        const bool entered = !hovered;
        hovered = true;
        if (entered)
            CallHandlers(mouseEnterHandlers, static_cast<QV_Controller*>(this));
        return true;
    }
    // Leaving while pressed drops the pressed look; coming back shows Hover.
    state = ButtonState::Normal;
    const bool left = hovered;
    hovered = false;
    if (left)
        CallHandlers(mouseLeaveHandlers, static_cast<QV_Controller*>(this));
    return false;
}
