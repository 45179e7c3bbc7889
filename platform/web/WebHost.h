// The page around the program, reached through library_web_platform.js: its input queue, its
// animation frames, the canvas's cursor, dialogs and the screen. The numbers the two sides share
// (the kinds of input record, a record's length, the cursors) are defined here and mirrored in the
// one table HOST of dom_input.js, which the library reads.
#pragma once

#include <cstdint>

namespace web_host {

// An input record is kind and four arguments: key (virtual key, down, repeat), char (UTF-16 unit),
// mouse (MouseKind, button 0 left or 1 right, x, y in canvas pixels), wheel (notches, x, y), focus
// (gained).
constexpr int kEventLength = 5;
enum EventKind : int32_t { keyEvent = 1, charEvent = 2, mouseEvent = 3, wheelEvent = 4, focusEvent = 5 };
enum MouseKind : int32_t { mouseMove = 0, mouseDown = 1, mouseUp = 2 };

// The canvas's cursors, in the order of HOST.CURSOR.
enum Cursor : int32_t { cursorNone = 0, cursorArrow = 1, cursorText = 2 };

} // namespace web_host

extern "C" {
// Moves up to `capacity` waiting input records into `events` (kEventLength ints each); the number
// moved.
int tessary_web_pump(int32_t* events, int capacity);
// Gives the browser the thread until its next animation frame, when the canvas is shown.
void tessary_web_next_frame();
void tessary_web_set_cursor(int cursor);
void tessary_web_set_title(const char* utf8);
// window.alert (withCancel 0) or window.confirm; 1 for OK.
int tessary_web_dialog(const char* utf8, int withCancel);
void tessary_web_screen_size(int32_t* width, int32_t* height);
}
