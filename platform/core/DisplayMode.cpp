// Display modes. The layer never changes the desktop's resolution: a request for a full-screen mode
// is refused, which the program answers by staying in a window, and going back to the desktop mode
// (a null mode) always succeeds because nothing was changed.
#include "platform/Win32.h"
#include "platform/core/Backend.h"

#include <climits>

namespace {

// Windows' ENUM_REGISTRY_SETTINGS: the mode stored for the desktop.
constexpr DWORD enumRegistrySettings = static_cast<DWORD>(-2);

} // namespace

LONG WINAPI ChangeDisplaySettingsW(DEVMODEW* mode, DWORD) {
    return mode ? DISP_CHANGE_FAILED : DISP_CHANGE_SUCCESSFUL;
}

BOOL WINAPI EnumDisplaySettingsW(LPCWSTR device, DWORD modeNumber, DEVMODEW* mode) {
    // Only the primary display (a null device name) is known.
    if (device || !mode || !platform_backend::StartVideo())
        return FALSE;
    int which = platform_backend::currentDisplayMode;
    if (modeNumber == enumRegistrySettings)
        which = platform_backend::desktopDisplayMode;
    else if (modeNumber != ENUM_CURRENT_SETTINGS && modeNumber <= static_cast<DWORD>(INT_MAX))
        which = static_cast<int>(modeNumber);
    else if (modeNumber != ENUM_CURRENT_SETTINGS)
        return FALSE;
    return platform_backend::GetDisplayMode(which, *mode) ? TRUE : FALSE;
}
