// The registered window classes: what CreateWindowExW needs to know about a class name.
#pragma once

#include "platform/Win32.h"

namespace platform_windowing {

// The window procedure of the class named by a string or by its atom (MAKEINTATOM); null when no such
// class is registered.
WNDPROC ClassProcedure(LPCWSTR classNameOrAtom);

// The atom of the class named by a string or by its atom; 0 when no such class is registered. Windows
// remember their class by atom, so that UnregisterClassW can refuse a class still in use.
ATOM ClassAtom(LPCWSTR classNameOrAtom);

} // namespace platform_windowing
