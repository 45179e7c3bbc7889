// Display modes. The layer never changes the desktop's resolution: a request for a full-screen mode
// is refused, which the program answers by staying in a window, and going back to the desktop mode
// (a null mode) always succeeds because nothing was changed.
#include "platform/sdl/SdlVideo.h"
#include "platform/Win32.h"

#include <SDL.h>

using namespace platform_windowing;

namespace {

// dmFields bits for the members this layer fills besides the size.
constexpr DWORD dmBitsPerPel = 0x00040000;
constexpr DWORD dmDisplayFrequency = 0x00400000;
// Windows' ENUM_REGISTRY_SETTINGS: the mode stored for the desktop.
constexpr DWORD enumRegistrySettings = static_cast<DWORD>(-2);

void Fill(DEVMODEW& mode, const SDL_DisplayMode& sdlMode) {
    mode.dmPelsWidth = static_cast<DWORD>(sdlMode.w);
    mode.dmPelsHeight = static_cast<DWORD>(sdlMode.h);
    // Windows counts the padding byte of 32-bit formats in the depth; SDL counts only colour bits.
    mode.dmBitsPerPel = SDL_BYTESPERPIXEL(sdlMode.format) == 4 ? 32 : SDL_BITSPERPIXEL(sdlMode.format);
    mode.dmDisplayFrequency = static_cast<DWORD>(sdlMode.refresh_rate);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | dmBitsPerPel | dmDisplayFrequency;
}

} // namespace

LONG WINAPI ChangeDisplaySettingsW(DEVMODEW* mode, DWORD) {
    return mode ? DISP_CHANGE_FAILED : DISP_CHANGE_SUCCESSFUL;
}

BOOL WINAPI EnumDisplaySettingsW(LPCWSTR device, DWORD modeNumber, DEVMODEW* mode) {
    // Only the primary display (a null device name) is known.
    if (device || !mode || !EnsureVideo())
        return FALSE;
    SDL_DisplayMode sdlMode = {};
    int result = -1;
    if (modeNumber == ENUM_CURRENT_SETTINGS)
        result = SDL_GetCurrentDisplayMode(0, &sdlMode);
    else if (modeNumber == enumRegistrySettings)
        result = SDL_GetDesktopDisplayMode(0, &sdlMode);
    else if (modeNumber < static_cast<DWORD>(SDL_GetNumDisplayModes(0)))
        result = SDL_GetDisplayMode(0, static_cast<int>(modeNumber), &sdlMode);
    if (result != 0)
        return FALSE;
    Fill(*mode, sdlMode);
    return TRUE;
}
