#include "gui/QV_TextBox.h"

#include "app/InputState.h"
#include "app/Shell.h"
#include "gui/FontSpec.h"
#include "gui/QV_Container.h"
#include "gui/TextTexture.h"
#include "platform/Gl.h"

namespace {

constexpr WCHAR backspace = 8;

} // namespace

QV_TextBox::QV_TextBox() {
    texture = new TextTexture();
    x = 160;
    y = 15;
    fontName = FontSpec::defaultFace;
    texture->SetFont(fontName.c_str(), fontSize);
    Relayout();
}

QV_TextBox::~QV_TextBox() {
    delete texture;
}

void QV_TextBox::InsertChar(WCHAR ch) {
    text.insert(text.begin() + caret, ch);
    ++caret;
}

void QV_TextBox::Relayout() {
    const std::wstring beforeCaret = text.substr(scroll, caret - scroll);
    texture->Render(beforeCaret.c_str());
    caretX = texture->textWidth + 2;
    texture->Render(text.c_str() + scroll);
}

void QV_TextBox::ScrollCaretIntoView() {
    // Once scroll reaches the caret nothing is left to hide and the caret sits at the left edge.
    while (caretX > width - 2 && scroll < caret) {
        ++scroll;
        Relayout();
    }
}

void QV_TextBox::ScrollBackAfterDeletion() {
    // Without this, characters hidden on the left while typing would stay hidden after the ones on the
    // right are deleted: the box could look empty while it still holds text, and nothing on the
    // hypercube screen moves the caret there. One character more on the left is shown as long as the
    // text from it to the end still fits inside the frame, as typing would have left it.
    while (scroll > 0) {
        texture->Render(text.c_str() + scroll - 1);
        if (texture->textWidth + 2 > width - 2)
            break;
        --scroll;
    }
    Relayout();
}

bool QV_TextBox::OnMouseDown() {
    // The focus lives in the root container, which routes key and character events by it.
    QV_Container* root = parent ? dynamic_cast<QV_Container*>(Root()) : nullptr;
    if (HitTest(width, height)) {
        if (root)
            root->focus = this;
        focused = true;
        return true;
    }
    if (root)
        root->focus = nullptr;
    focused = false;
    return false;
}

bool QV_TextBox::OnMouseMove() {
    // The cursor is set only when the pointer crosses the frame, so other code may set it meanwhile.
    if (HitTest(width, height)) {
        if (!hovered) {
            hovered = true;
            SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
            CallHandlers(mouseEnterHandlers, static_cast<QV_Controller*>(this));
        }
        return true;
    }
    if (hovered) {
        hovered = false;
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        CallHandlers(mouseLeaveHandlers, static_cast<QV_Controller*>(this));
    }
    return false;
}

void QV_TextBox::OnKeyDown() {
    // The key table is read rather than the key that went down, so this acts on every key-down
    // event while an arrow is held.
    if (inputState.keys[VK_LEFT]) {
        if (caret > 0) {
            --caret;
            if (caret < scroll)
                --scroll;
            Relayout();
        }
    } else if (inputState.keys[VK_RIGHT] && caret < static_cast<int32_t>(text.size())) {
        ++caret;
        Relayout();
        ScrollCaretIntoView();
    }
}

void QV_TextBox::OnChar(uint32_t* character) {
    const WCHAR ch = static_cast<WCHAR>(*character & 0xFFFF);
    if (ch == backspace) {
        // Erasing at the start changes nothing but still counts as an edit for the handlers.
        if (caret > 0) {
            --caret;
            text.erase(static_cast<size_t>(caret), 1);
        }
        if (caret < scroll)
            --scroll;
        ScrollBackAfterDeletion();
    } else {
        if (digitsOnly && (ch < L'0' || ch > L'9'))
            return;
        InsertChar(ch);
        Relayout();
        ScrollCaretIntoView();
    }
    CallHandlers(textChangedHandlers, static_cast<QV_Controller*>(this));
}

void QV_TextBox::Draw() {
    int32_t sx = 0;
    int32_t sy = 0;
    AbsolutePosition(sx, sy);

    if (enabled)
        glColor3f(0.0f, 0.4f, 1.0f);
    else
        glColor3f(0.4f, 0.4f, 0.4f);
    glLineWidth(2.0f);
    glBegin(GL_LINE_STRIP);
    glVertex2i(sx, sy);
    glVertex2i(sx + width, sy);
    glVertex2i(sx + width, sy + height);
    glVertex2i(sx, sy + height);
    glVertex2i(sx, sy);
    glEnd();

    if (enabled && focused) {
        glColor3f(textColor[0], textColor[1], textColor[2]);
        glBegin(GL_LINES);
        glVertex2i(sx + caretX, sy + 2);
        glVertex2i(sx + caretX, sy + height - 2);
        glEnd();
    }

    // The interior inset by 2 pixels.
    glEnable(GL_SCISSOR_TEST);
    ScissorOverlay(sx + 2, sy + 2, width - 4, height - 4);
    if (enabled) {
        texture->red = textColor[0];
        texture->green = textColor[1];
        texture->blue = textColor[2];
    } else {
        texture->red = 0.4f;
        texture->green = 0.4f;
        texture->blue = 0.5f;
    }
    texture->alpha = 1.0f;
    texture->DrawAt(sx + 2, sy + 3);
    glDisable(GL_SCISSOR_TEST);
}
