#include "gui/QV_MessageBox.h"

#include "app/Shell.h"
#include "gui/QV_Label.h"
#include "gui/QV_MessageBoxButton.h"
#include "gui/TextTexture.h"

QV_MessageBox::QV_MessageBox(const WCHAR* text, bool withCancel) {
    glGenTextures(1, &backgroundTexture);
    glBindTexture(GL_TEXTURE_2D, backgroundTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, backgroundPixel);
    glBindTexture(GL_TEXTURE_2D, 0);

    message = new QV_Label();
    message->SetFont(L"黑体", 20, 1.0f, 1.0f, 0.0f, 1.0f);
    message->SetText(text);
    // Centred across the window; a text wider than the window starts at its left edge instead, so
    // that at least its beginning can be read.
    const int32_t spare = clientWidth - message->texture->textWidth;
    message->x = spare > 0 ? spare / 2 : 0;
    message->y = 284;
    AddChild(message);

    if (withCancel) {
        okButton = new QV_MessageBoxButton(L"确定", 412);
        cancelButton = new QV_MessageBoxButton(L"取消", 532);
        AddChild(okButton);
        AddChild(cancelButton);
    } else {
        okButton = new QV_MessageBoxButton(L"确定", 472);
        AddChild(okButton);
    }
}

QV_MessageBox::~QV_MessageBox() {
    if (backgroundTexture != 0)
        glDeleteTextures(1, &backgroundTexture);
}

void QV_MessageBox::Draw() {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, backgroundTexture);
    glColor4f(1.0f, 1.0f, 1.0f, 0.75f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2i(0, 0);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2i(0, clientHeight);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2i(clientWidth, clientHeight);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2i(clientWidth, 0);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);

    QV_Container::Draw();
}

bool QV_MessageBox::OnMouseUp() {
    if (!QV_Screen::OnMouseUp())
        return false;
    // Only a button reports a release as handled; OK's count tells which one it was.
    closed = true;
    if (okButton && okButton->pressCount != 0)
        accepted = true;
    return true;
}
