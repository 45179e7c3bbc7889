#include "gui/QV_Container.h"

QV_Container::~QV_Container() {
    ChildNode* node = firstChild;
    while (node) {
        ChildNode* next = node->next;
        delete node->child;
        delete node;
        node = next;
    }
    firstChild = lastChild = nullptr;
    focus = nullptr;
}

void QV_Container::Draw() {
    if (!visible)
        return;
    for (ChildNode* node = firstChild; node; node = node->next) {
        if (node->child->visible)
            node->child->Draw();
    }
}

void QV_Container::AddChild(QV_Controller* child) {
    if (!child)
        return;
    ChildNode* node = new ChildNode{child, nullptr, lastChild};
    if (lastChild)
        lastChild->next = node;
    else
        firstChild = node;
    lastChild = node;
    ++childCount;
    child->parent = this;
}
