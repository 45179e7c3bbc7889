// SDL's video subsystem, started on first use by whatever needs a window, a display mode or events.
#pragma once

namespace platform_windowing {

// Starts SDL video once per process and sets the OpenGL attributes every window is created with.
// Returns false when no video driver can be started (no display and no offscreen driver).
bool EnsureVideo();

// Whether video has been started, without starting it: before the first window there are no events
// to pump and no cursor to apply.
bool VideoStarted();

} // namespace platform_windowing
