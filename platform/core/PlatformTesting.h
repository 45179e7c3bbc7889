// Seams for tests and benchmarks. The program itself never includes this header: it lets a test set
// the clock, look at what the layer did (cursor, system message boxes, capture) and count the objects
// the layer has handed out, so that leaks and state can be checked without changing product code.
#pragma once

#include "platform/Win32.h"
#include "platform/core/Backend.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace platform_testing {

// Clock. In manual mode GetTickCount returns the value set here and Sleep advances it instead of
// sleeping, so tests of timing run instantly and exactly.
void SetManualTicks(uint32_t now);
void AdvanceTicks(uint32_t milliseconds);
void UseRealTicks();
bool ManualTicksActive();

// Cursor last applied with SetCursor, in the back end's terms: Hidden after SetCursor(NULL) and
// before the first SetCursor.
using platform_backend::SystemCursor;
SystemCursor CurrentCursor();
int CursorChangeCount();

// System message boxes (MessageBoxW). When dialogs are suppressed the layer records the box, writes
// it to stderr and answers IDOK at once, as it does where no dialog can be shown.
void SuppressSystemDialogs(bool suppress);
int SystemMessageBoxCount();
std::wstring LastSystemMessageBoxText();
std::wstring LastSystemMessageBoxCaption();

// Message queue and capture.
size_t QueuedMessageCount();
void DiscardQueuedMessages();
bool QuitPending();
void ClearQuit();
bool MouseCaptured();
// Forgets the keys and buttons the input module holds as pressed, without any message, so that a
// test starts with nothing held whatever earlier tests pressed.
void ForgetHeldInput();
// Called by DispatchMessageW with every message it dispatches, before the window procedure runs, so
// a test can look at the program in the middle of a nested message loop. Null removes the hook.
using DispatchHook = std::function<void(const MSG&)>;
void SetDispatchHook(DispatchHook hook);

// Objects handed out by the layer and not yet released.
struct LiveObjects {
    int windows = 0;
    int deviceContexts = 0;
    int glContexts = 0;
    int fonts = 0;
    int brushes = 0;
    int bitmaps = 0;
};
LiveObjects CountLiveObjects();

} // namespace platform_testing
