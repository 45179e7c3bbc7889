#include "gui/QV_Controller.h"

#include "app/InputState.h"

void QV_Controller::LocalToScreen(const QV_Controller* ancestor, int32_t& x, int32_t& y) {
    for (const QV_Controller* element = ancestor; element; element = element->parent) {
        x += element->x;
        y += element->y;
    }
}

void QV_Controller::ScreenToLocal(const QV_Controller* ancestor, int32_t& x, int32_t& y) {
    for (const QV_Controller* element = ancestor; element; element = element->parent) {
        x -= element->x;
        y -= element->y;
    }
}

void QV_Controller::AbsolutePosition(int32_t& ax, int32_t& ay) const {
    ax = x;
    ay = y;
    LocalToScreen(parent, ax, ay);
}

bool QV_Controller::HitTest(int32_t w, int32_t h) const {
    int32_t lx = inputState.mouseX - x;
    int32_t ly = inputState.mouseY - y;
    if (parent)
        ScreenToLocal(parent, lx, ly);
    return lx > 0 && lx < w && ly > 0 && ly < h;
}

QV_Controller* QV_Controller::Root() {
    QV_Controller* element = this;
    while (element->parent)
        element = element->parent;
    return element;
}
