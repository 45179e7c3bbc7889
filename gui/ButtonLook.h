// The look shared by push buttons and check boxes: a translucent fill inset by 2 pixels and a thick
// closed outline, both coloured by the control's state.
#pragma once

#include <cstdint>

// Values of the `state` field of buttons and check boxes.
enum class ButtonState : int32_t { Normal = 0, Hover = 1, Pressed = 2 };

struct ButtonColours {
    float fill[4];    // red, green, blue, alpha
    float outline[3]; // red, green, blue; drawn opaque
};

// The colours for a control that is enabled or not and in the given state.
const ButtonColours& ButtonColoursFor(bool enabled, ButtonState state);

// Draws the fill quad and the 4-pixel outline of a w x h control whose top-left corner is (ax, ay) in
// overlay pixels. Leaves the line width at 4.
void DrawButtonFrame(int32_t ax, int32_t ay, int32_t w, int32_t h, bool enabled, ButtonState state);
