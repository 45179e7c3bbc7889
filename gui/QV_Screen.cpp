#include "gui/QV_Screen.h"

void QV_Screen::Update() {
    for (ChildNode* node = firstChild; node; node = node->next)
        node->child->Update();
}

bool QV_Screen::RouteMouse(bool (QV_Controller::*slot)()) {
    for (ChildNode* node = firstChild; node; node = node->next) {
        QV_Controller* child = node->child;
        if (child->enabled && child->visible && (child->*slot)())
            return true;
    }
    return false;
}

bool QV_Screen::OnMouseDown() {
    CallHandlers(mouseDownHandlers, static_cast<QV_Controller*>(this));
    return RouteMouse(&QV_Controller::OnMouseDown);
}

bool QV_Screen::OnMouseUp() {
    CallHandlers(mouseUpHandlers, static_cast<QV_Controller*>(this));
    return RouteMouse(&QV_Controller::OnMouseUp);
}

bool QV_Screen::OnMouseMove() {
    CallHandlers(mouseMoveHandlers, static_cast<QV_Controller*>(this));
    return RouteMouse(&QV_Controller::OnMouseMove);
}

QV_Controller* QV_Screen::FocusTarget() const {
    if (focus && focus->enabled && focus->visible)
        return focus;
    return nullptr;
}

void QV_Screen::OnMouseWheel(uint32_t* delta) {
    CallHandlers(wheelHandlers, static_cast<QV_Controller*>(this), delta);
    if (QV_Controller* target = FocusTarget())
        target->OnMouseWheel(delta);
}

void QV_Screen::OnKeyDown() {
    CallHandlers(keyDownHandlers, static_cast<QV_Controller*>(this));
    if (QV_Controller* target = FocusTarget())
        target->OnKeyDown();
}

void QV_Screen::OnKeyUp() {
    CallHandlers(keyUpHandlers, static_cast<QV_Controller*>(this));
    if (QV_Controller* target = FocusTarget())
        target->OnKeyUp();
}

void QV_Screen::OnChar(uint32_t* character) {
    if (QV_Controller* target = FocusTarget())
        target->OnChar(character);
}
