// The press, hover and release behaviour shared by push buttons and check boxes; what a release inside
// does differs (a button clicks, a check box toggles) and is the control's own. For a control with the
// given width and height:
//
//   event        pointer   state afterwards                   hovered   handlers fired           returns
//   press        inside    Pressed                            -         mouseDownHandlers        true
//   press        outside   unchanged                          -         none                     false
//   move         inside    Pressed if it was, else Hover      true      mouseEnter if it was not true
//   move         outside   Normal                             false     mouseLeave if it was     false
//   release      inside    Normal                             -         none (the control's)     true
//   release      outside   Normal                             -         none                     false
//
// A press or release on a disabled or hidden control does nothing and returns false; only the release
// decides, wherever the press was. The state is written
// before the handlers run, so a handler sees the new state.
#pragma once

#include "gui/ButtonLook.h"

#include <cstdint>

class QV_Controller;

bool PressControl(QV_Controller& control, int32_t width, int32_t height, ButtonState& state);
bool TrackHover(QV_Controller& control, int32_t width, int32_t height, ButtonState& state, bool& hovered);
bool ReleaseControl(QV_Controller& control, int32_t width, int32_t height, ButtonState& state);
