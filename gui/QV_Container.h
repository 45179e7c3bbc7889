// An element that owns children, draws them first added first and holds the keyboard focus of the
// tree below it.
#pragma once

#include "gui/QV_Controller.h"

class QV_Container : public QV_Controller {
public:
    struct ChildNode {
        QV_Controller* child; // owned
        ChildNode* next;
        ChildNode* previous;
    };

    QV_Container() = default;
    // Deletes the children first to last through their virtual destructors.
    ~QV_Container() override;

    // Draws every visible child, first to last, when the container itself is visible.
    void Draw() override;

    // Appends the child, becomes its parent and takes ownership. A null child is ignored.
    void AddChild(QV_Controller* child);

    ChildNode* firstChild = nullptr;
    ChildNode* lastChild = nullptr;
    int32_t childCount = 0;
    QV_Controller* focus = nullptr; // not owned: the child that receives wheel, key and character events
};
