// SDL's video subsystem, started on first use by whatever needs a window, a display mode or events.
#pragma once

namespace platform_sdl {

// Whether video has been started, without starting it: before the first window there are no events
// to pump and no cursor to apply.
bool VideoStarted();

} // namespace platform_sdl
