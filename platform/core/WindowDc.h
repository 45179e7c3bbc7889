// Device contexts of windows, as GetDC hands them out. Memory device contexts for text are a
// different kind of HDC, made elsewhere; a handle of one kind is unknown to the other.
#pragma once

#include "platform/Win32.h"

namespace platform_windowing {

// The window a window DC belongs to (perhaps destroyed since); null for any other handle.
HWND WindowOfDc(HDC dc);

// Window DCs obtained with GetDC and not yet released.
int LiveWindowDcCount();

} // namespace platform_windowing
