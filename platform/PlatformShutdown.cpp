#include "platform/PlatformShutdown.h"

#include "platform/GdiCounts.h"

#include <SDL.h>

void ShutdownPlatform() {
    platform_gdi::Shutdown();
    SDL_Quit();
}
