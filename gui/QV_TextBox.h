// A single-line entry field: a 2-pixel frame, the visible part of the text clipped to the interior
// and a caret while it has the focus. A press inside takes the focus of the root container, a press
// that reaches it outside gives the focus up. Typed characters go in at the caret, Backspace deletes
// before it, Left and Right move it, and the text scrolls one character at a time so the caret stays
// inside the frame. The text has no length limit.
#pragma once

#include "gui/QV_Controller.h"
#include "platform/Win32.h"

#include <string>

class TextTexture;

class QV_TextBox : public QV_Controller {
public:
    QV_TextBox();
    ~QV_TextBox() override;

    void Draw() override;
    void Update() override {}
    bool OnMouseDown() override;
    bool OnMouseUp() override { return false; }
    bool OnMouseMove() override;
    void OnKeyDown() override;
    void OnChar(uint32_t* character) override;

    // Inserts one code unit at the caret and moves the caret past it; nothing else.
    void InsertChar(WCHAR ch);
    // Measures the text from `scroll` to the caret to place the caret, then renders the text from
    // `scroll` to the end, which is what the box shows. Renders twice.
    void Relayout();

    bool hovered = false;
    bool focused = false;
    int32_t caretX = 2; // pixels from the box's left edge
    std::wstring text;  // UTF-16 code units, one per element
    float textColor[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    std::wstring fontName;
    int32_t fontSize = 10;
    bool digitsOnly = false;
    int32_t width = 100;
    int32_t height = 20;
    int32_t caret = 0;  // index into text: 0 before the first character, text.size() after the last
    int32_t scroll = 0; // index of the first character shown
    TextTexture* texture = nullptr;        // owned
    SenderHandlerList textChangedHandlers; // called after every character event that is not dropped

private:
    // While the caret lies beyond the right edge, hide one more character on the left.
    void ScrollCaretIntoView();
    // After a deletion, shows hidden characters on the left again while the text still fits.
    void ScrollBackAfterDeletion();
};
