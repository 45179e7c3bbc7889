#include "gui/QV_Button.h"

#include "gui/ButtonBehaviour.h"
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
    return PressControl(*this, width, height, state);
}

bool QV_Button::OnMouseUp() {
    if (!ReleaseControl(*this, width, height, state))
        return false;
    CallHandlers(mouseUpHandlers, static_cast<QV_Controller*>(this));
    return true;
}

bool QV_Button::OnMouseMove() {
    return TrackHover(*this, width, height, state, hovered);
}
