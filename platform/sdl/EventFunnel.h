// The one place where SDL events become Win32 messages.
#pragma once

#include <SDL_events.h>

namespace platform_windowing {

// Appends the messages that one SDL event stands for to the message queue, in the order Windows would
// deliver them; events of no interest, or for no live window, add nothing.
void TranslateSdlEvent(const SDL_Event& event);

// Feeds every SDL event already waiting through TranslateSdlEvent, without blocking.
void PumpSdlEvents();

// Waits up to `timeoutMs` milliseconds for one SDL event and feeds it through. False when none came.
bool WaitForSdlEvent(int timeoutMs);

} // namespace platform_windowing
