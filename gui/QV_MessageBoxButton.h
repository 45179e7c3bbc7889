// A button of the modal message box. It counts the releases inside it instead of firing its click
// list; the box reads the count of its OK button to learn the answer.
#pragma once

#include "gui/QV_Button.h"

class QV_MessageBoxButton : public QV_Button {
public:
    QV_MessageBoxButton(const WCHAR* text, int32_t x) : QV_Button(text, x) {}

    bool OnMouseUp() override;

    int32_t pressCount = 0; // releases inside the button
};
