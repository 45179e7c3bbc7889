// Where a window is and how big its client area is. Native windows have no frame of their own that
// the program could measure, so the layer gives captioned windows a fixed notional frame: the client
// area is the window rectangle less these insets, and the native window is exactly the client area.
#pragma once

#include "platform/core/WindowTable.h"

namespace platform_windowing {

struct FrameInsets {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

// A caption bar with a thin dialog frame (8 pixels wider and 31 taller than the client area in all);
// no frame at all for a popup without a caption.
FrameInsets InsetsOf(DWORD style);

// Sets the window rectangle and the client size inside it, without touching the native window.
void SetGeometry(WindowRecord& record, int x, int y, int width, int height);

// Creates the native window for the record's title, style and client area, for a record that has
// none yet. False, with the record unchanged, when the back end cannot make one.
bool CreateNative(WindowRecord& record);

// Sets the window rectangle and fits the native window to the client area inside it.
void PlaceWindow(WindowRecord& record, int x, int y, int width, int height);

// Top-left corner of the client area in screen coordinates.
POINT ClientOrigin(const WindowRecord& record);

// The window manager has moved the client area to (x, y) of the screen.
void NoteClientMoved(WindowRecord& record, int x, int y);

} // namespace platform_windowing
