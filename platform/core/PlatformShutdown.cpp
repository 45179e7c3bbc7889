#include "platform/PlatformShutdown.h"

#include "platform/gdi/GdiCounts.h"

#include <SDL.h>

void ShutdownPlatform() {
    platform_gdi::Shutdown();
    SDL_Quit();
}
