// The modal question: dims the whole overlay to a quarter, shows the text in large yellow letters
// centred across the window, and offers OK ("确定") or OK and Cancel ("取消"). A mouse release over
// either button closes it; ShowMessageBox owns it and runs the loop that waits for that.
#pragma once

#include "gui/QV_Screen.h"
#include "platform/Gl.h"

#include <cstdint>

class QV_Label;
class QV_MessageBoxButton;

class QV_MessageBox : public QV_Screen {
public:
    // Needs a current OpenGL context: creates the 1 x 1 background texture.
    QV_MessageBox(const WCHAR* text, bool withCancel);
    ~QV_MessageBox() override;

    // The black background at 75 % opacity over everything drawn before, then the children.
    void Draw() override;
    // Routes the release like any screen; when a button took it the box is closed, accepted if OK
    // has counted a release.
    bool OnMouseUp() override;

    uint8_t backgroundPixel[4] = {0, 0, 0, 255};
    GLuint backgroundTexture = 0;
    QV_Label* message = nullptr;                 // not owned (a child): the question
    QV_MessageBoxButton* cancelButton = nullptr; // not owned (a child); null without Cancel
    QV_MessageBoxButton* okButton = nullptr;     // not owned (a child)
    bool closed = false;
    bool accepted = false;
};
