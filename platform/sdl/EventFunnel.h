// The one place where SDL events become Win32 messages. PumpEvents and WaitForEvents of the back end
// (platform/core/Backend.h) feed every SDL event through it.
#pragma once

#include <SDL_events.h>

namespace platform_sdl {

// Appends the messages that one SDL event stands for to the message queue, in the order Windows would
// deliver them; events of no interest, or for no live window, add nothing.
void TranslateSdlEvent(const SDL_Event& event);

} // namespace platform_sdl
