// The one place where SDL events become input reports to the core (platform/core/Input.h), which
// makes the Win32 messages. PumpEvents and WaitForEvents of the back end (platform/core/Backend.h)
// feed every SDL event through it.
#pragma once

#include <SDL_events.h>

namespace platform_sdl {

// Reports the input one SDL event stands for; events of no interest, or for no window of the back
// end's, report nothing.
void TranslateSdlEvent(const SDL_Event& event);

} // namespace platform_sdl
