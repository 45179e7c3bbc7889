// GetTickCount and Sleep, with the manual clock that tests use instead of real time.
#include "platform/Win32.h"
#include "platform/core/Backend.h"
#include "platform/core/PlatformTesting.h"

#include <chrono>

namespace {

bool manualTicks = false;
uint32_t manualNow = 0;

// Milliseconds of the monotonic clock (time since boot on Linux, like Windows' tick count), cut to
// 32 bits so that the value wraps every 49.7 days exactly as GetTickCount does.
uint32_t RealTicks() {
    const auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count());
}

} // namespace

DWORD WINAPI GetTickCount() {
    return manualTicks ? manualNow : RealTicks();
}

void WINAPI Sleep(DWORD milliseconds) {
    if (manualTicks) {
        manualNow += milliseconds; // unsigned: wraps like the real counter
        return;
    }
    platform_backend::SleepMilliseconds(milliseconds);
}

namespace platform_testing {

void SetManualTicks(uint32_t now) {
    manualTicks = true;
    manualNow = now;
}

void AdvanceTicks(uint32_t milliseconds) {
    manualNow += milliseconds;
}

void UseRealTicks() {
    manualTicks = false;
}

bool ManualTicksActive() {
    return manualTicks;
}

} // namespace platform_testing
