#include "platform/PlatformShutdown.h"

#include "platform/core/Backend.h"
#include "platform/gdi/FontResolver.h"

// Each back end lets go of what it keeps for the process and would start again if used afterwards.
void ShutdownPlatform() {
    platform_gdi::ShutdownText();
    platform_backend::ShutdownBackend();
}
