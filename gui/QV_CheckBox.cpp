#include "gui/QV_CheckBox.h"

#include "gui/ButtonBehaviour.h"
#include "gui/QV_Label.h"
#include "gui/TextTexture.h"
#include "platform/Gl.h"

QV_CheckBox::QV_CheckBox() {
    caption = new QV_Label();
    caption->SetText(L"线框渲染");
    x = 400;
    y = 18;
}

QV_CheckBox::~QV_CheckBox() {
    delete caption;
}

void QV_CheckBox::Draw() {
    if (!visible)
        return;
    int32_t ax = 0;
    int32_t ay = 0;
    AbsolutePosition(ax, ay);
    DrawButtonFrame(ax, ay, width, height, enabled, state);

    if (checked) {
        if (enabled)
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        else
            glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
        glLineWidth(3.0f);
        glBegin(GL_LINES);
        glVertex2i(ax + 5, ay + 5);
        glVertex2i(ax + width - 5, ay + height - 5);
        glVertex2i(ax + width - 5, ay + 5);
        glVertex2i(ax + 5, ay + height - 5);
        glEnd();
    }

    if (!caption)
        return;
    caption->enabled = enabled;
    caption->x = ax + width + 2;
    caption->y = ay + height / 2 - caption->texture->textHeight / 2;
    caption->Draw();
}

bool QV_CheckBox::OnMouseDown() {
    return PressControl(*this, width, height, state);
}

bool QV_CheckBox::OnMouseUp() {
    if (!ReleaseControl(*this, width, height, state))
        return false;
    // The owner's handlers see the new value.
    checked = !checked;
    CallHandlers(mouseUpHandlers, static_cast<QV_Controller*>(this));
    CallHandlers(checkChangedHandlers, static_cast<QV_Controller*>(this), &checked);
    return true;
}

bool QV_CheckBox::OnMouseMove() {
    if (!enabled || !visible)
        return false;
    return TrackHover(*this, width, height, state, hovered);
}
