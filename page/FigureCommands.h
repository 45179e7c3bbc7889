// The view of the running program as a vector file (SVG or PDF), as a plain C function for the
// browser's page: the same figure, drawn by the same code, as `tessary --render FILE --view TEXT`
// draws on the desktop for the view shown.
#pragma once

extern "C" {
// Draws the hypercube screen's view `width` pixels wide (brought within FileKinds' picture widths)
// as `format`, "svg" or "pdf", in the window's dark palette. Returns "" when the file is made, and
// tessary_figure_file() and tessary_figure_size() then give its bytes; otherwise one line saying why
// not, which starts with its kind, as the view commands' refusals do (page/Refusal.h):
//   "malformed: ..."                     the format is neither "svg" nor "pdf";
//   "busy: a message box is open"        the screen is left alone until the box is closed;
//   "not started: ..."                   the program has no screen yet.
// The file stays valid until the next call, the answer until the next call of any of the page's
// commands.
const char* tessary_figure(const char* format, int width);
// The first byte of the last file made, and how many bytes it has (0 after a refusal).
const char* tessary_figure_file();
int tessary_figure_size();
}
