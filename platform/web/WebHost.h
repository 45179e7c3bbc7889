// The page around the program, reached through library_web_platform.js: its input queue, its
// animation frames, the canvas's cursor, dialogs and the screen.
#pragma once

#include <cstdint>

extern "C" {
// Moves up to `capacity` waiting DOM events into `events` (five ints each: kind and four arguments,
// as dom_input.js makes them); the number moved.
int tessary_web_pump(int32_t* events, int capacity);
// Gives the browser the thread until its next animation frame, when the canvas is shown.
void tessary_web_next_frame();
void tessary_web_set_cursor(int cursor);
void tessary_web_set_title(const char* utf8);
// window.alert (withCancel 0) or window.confirm; 1 for OK.
int tessary_web_dialog(const char* utf8, int withCancel);
void tessary_web_screen_size(int32_t* width, int32_t* height);
}
