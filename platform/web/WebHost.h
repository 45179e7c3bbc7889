// The page around the program, reached through library_web_platform.js: its input queue, its
// animation frames, the canvas's cursor, dialogs and the screen. The numbers the two sides share
// (the input record and its kinds, the cursors) are written here only: the build reads this header
// and writes them as the module the input modules import as ./host.js (tools/web/host_module.js),
// so the two cannot differ.
// The table is read from between the `page table` markers: enums of int32_t and the record, whose
// members must each be one int32_t.
#pragma once

#include <cstdint>

namespace web_host {

// page table begin
// What an input record stands for.
enum EventKind : int32_t { keyEvent = 1, charEvent = 2, mouseEvent = 3, wheelEvent = 4, focusEvent = 5 };
// mouseLost: the browser took the pointer away (cancelled, capture lost) without its releases.
enum MouseAction : int32_t { mouseMove = 0, mouseDown = 1, mouseUp = 2, mouseLost = 3 };
// The canvas's cursors.
enum Cursor : int32_t { cursorNone = 0, cursorArrow = 1, cursorText = 2 };

// One DOM event as the program takes it. A field the kind does not use is 0.
struct InputRecord {
    int32_t kind;       // EventKind
    int32_t key;        // keyEvent: the virtual key
    int32_t down;       // keyEvent: 1 pressed, 0 released; focusEvent: 1 gained, 0 lost
    int32_t repeat;     // keyEvent: 1 for a press of auto-repeat
    int32_t unit;       // charEvent: one UTF-16 code unit typed
    int32_t action;     // mouseEvent: MouseAction
    int32_t button;     // mouseEvent: the button pressed or released, 0 left, 1 right
    int32_t buttons;    // mouseEvent: the buttons the browser says are held, bit 0 left, bit 1 right
    int32_t wheelUnits; // wheelEvent: the turn in 1/120 notch, positive away from the user
    int32_t x;          // mouseEvent, wheelEvent: the canvas pixel, in the window's 1024 x 768
    int32_t y;
};
// page table end

} // namespace web_host

extern "C" {
// Moves up to `capacity` waiting input records into `records`; the number moved.
int tessary_web_pump(web_host::InputRecord* records, int capacity);
// Gives the browser the thread until its next animation frame, when the canvas is shown.
void tessary_web_next_frame();
void tessary_web_set_cursor(int cursor);
void tessary_web_set_title(const char* utf8);
// window.alert (withCancel 0) or window.confirm; 1 for OK.
int tessary_web_dialog(const char* utf8, int withCancel);
void tessary_web_screen_size(int32_t* width, int32_t* height);
}
