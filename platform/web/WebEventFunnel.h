// The one place where DOM events become Win32 messages.
#pragma once

#include "platform/Win32.h"

namespace platform_windowing {

// Appends the messages one event of dom_input.js stands for (kind and four arguments) to the queue
// of `window`, the one the canvas shows; nothing when that is no live window.
void TranslateWebEvent(HWND window, int kind, int a, int b, int c, int d);

} // namespace platform_windowing
