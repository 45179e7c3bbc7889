// A 21 x 21 toggle with the caption "线框渲染" to its right. A release inside the square flips
// `checked`, then fires mouseUpHandlers and checkChangedHandlers. The caption is not part of the hit
// area.
#pragma once

#include "gui/ButtonLook.h"
#include "gui/QV_Controller.h"

class QV_Label;

class QV_CheckBox : public QV_Controller {
public:
    QV_CheckBox();
    ~QV_CheckBox() override;

    void Draw() override;
    void Update() override {}
    bool OnMouseDown() override;
    bool OnMouseUp() override;
    bool OnMouseMove() override;

    int32_t width = 21;
    int32_t height = 21;
    bool checked = true; // read directly by the owner
    bool hovered = false;
    ButtonState state = ButtonState::Normal;
    QV_Label* caption = nullptr; // owned; not a child of any container
    // Called after each toggle with the check box and a pointer to `checked`, already flipped.
    SenderPointerHandlerList<bool*> checkChangedHandlers;
};
