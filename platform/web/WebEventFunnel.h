// The one place where DOM events become input reports to the core (platform/core/Input.h), which
// makes the Win32 messages.
#pragma once

#include "platform/core/Backend.h"

namespace platform_web {

// Reports the input one event of dom_input.js stands for (kind and four arguments) for `canvas`, the
// native window the canvas shows; nothing when that is no live window.
void TranslateWebEvent(platform_backend::NativeWindow canvas, int kind, int a, int b, int c, int d);

} // namespace platform_web
