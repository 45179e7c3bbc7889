// The primary display's modes, as SDL reports them.
#include "platform/core/Backend.h"

#include <SDL.h>

namespace platform_backend {

bool GetDisplayMode(int mode, DEVMODEW& description) {
    SDL_DisplayMode sdlMode = {};
    int result = -1;
    if (mode == currentDisplayMode)
        result = SDL_GetCurrentDisplayMode(0, &sdlMode);
    else if (mode == desktopDisplayMode)
        result = SDL_GetDesktopDisplayMode(0, &sdlMode);
    else if (mode >= 0 && mode < SDL_GetNumDisplayModes(0))
        result = SDL_GetDisplayMode(0, mode, &sdlMode);
    if (result != 0)
        return false;
    description.dmPelsWidth = static_cast<DWORD>(sdlMode.w);
    description.dmPelsHeight = static_cast<DWORD>(sdlMode.h);
    // Windows counts the padding byte of 32-bit formats in the depth; SDL counts only colour bits.
    description.dmBitsPerPel = SDL_BYTESPERPIXEL(sdlMode.format) == 4 ? 32 : SDL_BITSPERPIXEL(sdlMode.format);
    description.dmDisplayFrequency = static_cast<DWORD>(sdlMode.refresh_rate);
    description.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
    return true;
}

} // namespace platform_backend
