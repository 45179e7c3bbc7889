#include "gui/QV_Label.h"

#include "gui/FontSpec.h"
#include "gui/TextTexture.h"

QV_Label::QV_Label() {
    Construct(L"");
}

QV_Label::QV_Label(const WCHAR* initialText, int32_t x, int32_t y) {
    this->x = x;
    this->y = y;
    Construct(initialText);
}

void QV_Label::Construct(const WCHAR* initialText) {
    texture = new TextTexture();
    SetFont(FontSpec::defaultFace, FontSpec::defaultPointSize, 1.0f, 1.0f, 1.0f, 1.0f);
    SetText(initialText);
}

QV_Label::~QV_Label() {
    delete texture;
}

void QV_Label::SetText(const WCHAR* newText) {
    text = newText;
    hasText = true;
    texture->Render(text.c_str());
}

void QV_Label::SetFont(const WCHAR* name, int32_t size, float r, float g, float b, float a) {
    fontName = name;
    fontSize = size;
    red = r;
    green = g;
    blue = b;
    alpha = a;
    texture->SetFont(fontName.c_str(), fontSize);
    if (hasText)
        texture->Render(text.c_str());
}

void QV_Label::Draw() {
    if (!visible)
        return;
    if (enabled) {
        texture->red = red;
        texture->green = green;
        texture->blue = blue;
        texture->alpha = alpha;
    } else {
        texture->red = 0.4f;
        texture->green = 0.4f;
        texture->blue = 0.5f;
        texture->alpha = 1.0f;
    }
    int32_t ax = 0;
    int32_t ay = 0;
    AbsolutePosition(ax, ay);
    texture->DrawAt(ax, ay);
}
