// The press and hover behaviour shared by push buttons and check boxes (the release differs: a button
// clicks, a check box toggles). For a control with the given width and height:
//
//   event        pointer   state afterwards                   hovered   handlers fired           returns
//   press        inside    Pressed                            -         mouseDownHandlers        true
//   press        outside   unchanged                          -         none                     false
//   move         inside    Pressed if it was, else Hover      true      mouseEnter if it was not true
//   move         outside   Normal                             false     mouseLeave if it was     false
//
// A press on a disabled or hidden control does nothing and returns false. The state is written
// before the handlers run, so a handler sees the new state.
#pragma once

#include "gui/ButtonLook.h"

#include <cstdint>

class QV_Controller;

bool PressControl(QV_Controller& control, int32_t width, int32_t height, ButtonState& state);
bool TrackHover(QV_Controller& control, int32_t width, int32_t height, ButtonState& state, bool& hovered);
