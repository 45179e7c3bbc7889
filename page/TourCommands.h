// A tour played on the page, as plain C functions for the browser's page, which keeps the time and
// asks for the tour's view at it each frame. The tour is read and timed by the same code as the
// command line's --tour (tour/Tour.h), at the command line's default rate for durations in frames,
// so the page shows the views of the clip's frames. Answers follow the view commands
// (page/ViewCommands.h): "" when done, otherwise one line that starts with its kind (page/Refusal.h).
#pragma once

extern "C" {
// Starts the tour written in `text` from the view shown now, settled as tessary_capture_view
// settles it, in place of any tour before it:
//   "unreadable: step N '...': <what is wrong>"   the tour cannot be read, or not from this view;
//   "busy: a message box is open"                 nothing starts until the box is closed;
//   "not started: ..."                            the program has no screen yet.
const char* tessary_tour_start(const char* text);
// The length in seconds of the tour started last, 0 when none was.
double tessary_tour_seconds();
// Shows the tour's view at `seconds` from its start. From its length on it shows the tour's end as
// that view's text reads (what --print-frames prints last), and the tour is over. Refusals as
// tessary_animation_step's, "not started: no tour is going" when none is.
const char* tessary_tour_step(double seconds);
}
