// One line of text in one font and one colour at a position. It never reacts to input; buttons and
// check boxes use it as their caption.
#pragma once

#include "gui/QV_Controller.h"
#include "platform/Win32.h"

#include <string>

class TextTexture;

class QV_Label : public QV_Controller {
public:
    // At (0, 0) in the toolkit's default face and size (FontSpec), opaque white, with an empty text.
    QV_Label();
    QV_Label(const WCHAR* text, int32_t x, int32_t y);
    ~QV_Label() override;

    // Keeps a private copy of the text (never null) and renders it at once.
    void SetText(const WCHAR* newText);
    // Stores the font and colour; a label that already holds a text renders it again at once so the
    // new font shows from the next draw.
    void SetFont(const WCHAR* name, int32_t size, float r, float g, float b, float a);

    // Draws the rendered text at the label's absolute position: its own colour while enabled, a
    // fixed grey-blue while disabled. Never renders.
    void Draw() override;
    void Update() override {}

    std::wstring text;
    int32_t fontSize = 10;
    std::wstring fontName;
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    float alpha = 1.0f;
    TextTexture* texture = nullptr; // owned

private:
    void Construct(const WCHAR* initialText);

    bool hasText = false; // SetFont renders again only once there is a text to render
};
