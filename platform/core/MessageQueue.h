// The thread's message queue: posted messages and the input the event funnel turns into messages,
// in arrival order, plus the quit request of PostQuitMessage.
#pragma once

#include "platform/Win32.h"

namespace platform_windowing {

// Appends a message, stamped with the current tick count and pointer position.
void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Puts a message at the front, so it is the next one taken (characters from TranslateMessage).
void PostToQueueFront(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Copies the first message that passes the filters (window null: any; range 0, 0: any) into *message,
// removing it when `remove` is set. False when none passes.
bool TakeMessage(MSG* message, HWND window, UINT filterMin, UINT filterMax, bool remove);

// Fills *message with WM_QUIT when a quit is pending; `remove` clears the request, as taking WM_QUIT
// does on Windows. False when no quit is pending.
bool TakeQuit(MSG* message, bool remove);

// Forgets every queued message of a window that has been destroyed.
void DropMessagesFor(HWND window);

// The pointer position, in screen coordinates, that messages queued from now on carry in `pt`.
void NotePointerPosition(POINT screen);

} // namespace platform_windowing
