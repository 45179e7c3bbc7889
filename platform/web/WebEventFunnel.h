// The one place where DOM events become input reports to the core (platform/core/Input.h), which
// makes the Win32 messages.
#pragma once

#include "platform/core/Backend.h"
#include "platform/web/WebHost.h"

namespace platform_web {

// Reports the input one record of the page's queue stands for to `canvas`, the native window the
// canvas shows; nothing when that is no live window.
void TranslateWebEvent(platform_backend::NativeWindow canvas, const web_host::InputRecord& record);

} // namespace platform_web
