// The views of the running program as plain C functions, for a host around the program that can
// call into it by name but knows nothing of its classes (the browser's page). They read and write
// the same text as --view and --print-view. Each returned string stays valid until the next call of
// any of the page's commands (page/PageAnswer.h).
#pragma once

extern "C" {
// The text of the view the hypercube screen shows now, settled (ScreenView::Settle) so that the
// screen draws exactly what the text gives any program, and so that showing the text and taking
// the view again gives the same text; "" while the program has no such screen.
const char* tessary_capture_view();
// Shows the view written in `text` on the running screen: "" when it is shown, otherwise one line
// saying why nothing changed, which starts with its kind (page/Refusal.h), so that a host can choose
// what to say:
//   "unreadable: <the reader's reason>"   the text is no view this program can show;
//   "busy: a message box is open"         the view is readable, and shown once the box is closed;
//   "not started: ..."                    the view is readable, and the program has no screen yet.
// The text is read and checked once, here.
const char* tessary_apply_view(const char* text);
}
