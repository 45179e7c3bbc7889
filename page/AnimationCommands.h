// An animation from the view shown now to another, as plain C functions for the browser's page,
// which times it and asks for one view of the way each frame (hypercube/ViewPath.h says which way
// it goes). Answers follow the view commands (page/ViewCommands.h): "" when done, otherwise one line
// that starts with its kind (page/Refusal.h). Each returned string stays valid until the next call of
// any of the page's commands.
#pragma once

extern "C" {
// Starts the way from the view shown now, settled as tessary_capture_view settles it, to the view
// written in `text`, in place of any animation before it:
//   "unreadable: <the reader's reason>"   the text is no view this program can show;
//   "busy: a message box is open"         nothing starts until the box is closed;
//   "not started: ..."                    the program has no screen yet.
// After a refusal everything is as it was, an animation already going included.
const char* tessary_animation_start(const char* text);
// Shows the view at t of the way (t brought within [0, 1]). From 1 on it shows the last view exactly
// as its text reads, as opening the text as a link shows it, and the animation is over:
//   "not started: no animation is going"  nothing started, or the animation is over;
//   "busy: a message box is open"         the animation is dropped, and the screen left alone;
//   "not started: ..."                    the program has no screen (the animation is dropped);
//   "failed: <the check's reason>"        a view of the way failed View::Check, which none should.
const char* tessary_animation_step(double t);
// The text of the view shown now, without settling it (the screen is left exactly as it is), for a
// host that watches whether the view changes; "" while the program has no screen.
const char* tessary_peek_view();
}
