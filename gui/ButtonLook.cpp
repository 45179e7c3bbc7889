#include "gui/ButtonLook.h"

#include "platform/Gl.h"

namespace {

// Hover lightens the fill; pressing changes only the outline, to a pale blue.
const ButtonColours normalColours = {{0.05f, 0.05f, 0.5f, 0.5f}, {0.0f, 0.4f, 1.0f}};
const ButtonColours hoverColours = {{0.33f, 0.33f, 1.0f, 0.7f}, {0.0f, 0.4f, 1.0f}};
const ButtonColours pressedColours = {{0.05f, 0.05f, 0.5f, 0.5f}, {0.5f, 0.78f, 1.0f}};
const ButtonColours disabledColours = {{0.12f, 0.12f, 0.12f, 0.55f}, {0.4f, 0.4f, 0.4f}};

} // namespace

const ButtonColours& ButtonColoursFor(bool enabled, ButtonState state) {
    if (!enabled)
        return disabledColours;
    switch (state) {
    case ButtonState::Hover:
        return hoverColours;
    case ButtonState::Pressed:
        return pressedColours;
    case ButtonState::Normal:
        break;
    }
    return normalColours;
}

void DrawButtonFrame(int32_t ax, int32_t ay, int32_t w, int32_t h, bool enabled, ButtonState state) {
    const ButtonColours& colours = ButtonColoursFor(enabled, state);
    const int32_t left = ax + 2;
    const int32_t top = ay + 2;
    const int32_t right = ax + w - 2;
    const int32_t bottom = ay + h - 2;

    glColor4f(colours.fill[0], colours.fill[1], colours.fill[2], colours.fill[3]);
    glBegin(GL_QUADS);
    glVertex2i(left, top);
    glVertex2i(right, top);
    glVertex2i(right, bottom);
    glVertex2i(left, bottom);
    glEnd();

    // The width is left at 4: every element sets the width it draws with.
    glLineWidth(4.0f);
    glColor3f(colours.outline[0], colours.outline[1], colours.outline[2]);
    glBegin(GL_LINE_STRIP);
    glVertex2i(left, top);
    glVertex2i(right, top);
    glVertex2i(right, bottom);
    glVertex2i(left, bottom);
    glVertex2i(left, top);
    glEnd();
}
