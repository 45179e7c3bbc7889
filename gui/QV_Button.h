// A push button: a filled, outlined rectangle whose colours follow its state, with a centred caption.
// A mouse release inside it (left or right button, wherever the press was) is the click and fires
// mouseUpHandlers.
#pragma once

#include "gui/ButtonLook.h"
#include "gui/QV_Controller.h"
#include "platform/Win32.h"

class QV_Label;

class QV_Button : public QV_Controller {
public:
    // The generate button: "马上生成～～" at (874, 20), 100 x 30.
    QV_Button();
    // A button at (x, 384), 80 x 30: the form the message box uses.
    QV_Button(const WCHAR* text, int32_t x);
    ~QV_Button() override;

    void Draw() override;
    void Update() override {}
    bool OnMouseDown() override;
    bool OnMouseUp() override;
    bool OnMouseMove() override;

    int32_t width = 80;
    int32_t height = 30;
    bool hovered = false; // the pointer was inside at the last move this button received
    ButtonState state = ButtonState::Normal;
    QV_Label* caption = nullptr; // owned; not a child of any container, placed at every draw
};
