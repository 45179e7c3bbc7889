#include "fuzz/support/FuzzProgram.h"

#include "app/AppContext.h"
#include "app/Shell.h"
#include "platform/core/PlatformTesting.h"
#include "tests/reliability/SmallFramebuffer.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define TESSARY_FUZZ_LEAK_CHECK 1
#endif
#endif

namespace fuzz_program {

namespace {

long inputs = 0;
// Made once the window is; kept, like the window, for the whole session. No check of a session
// reads a pixel.
SmallFramebuffer* framebuffer = nullptr;

void CheckForLeaks() {
#ifdef TESSARY_FUZZ_LEAK_CHECK
    if (__lsan_do_recoverable_leak_check() != 0) {
        std::fprintf(stderr, "fuzz: leaked blocks found after %ld inputs\n", inputs);
        std::abort();
    }
#endif
}

} // namespace

void StartOnce(const char* target) {
    if (application)
        return;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    platform_testing::SuppressSystemDialogs(true);
    platform_testing::SetManualTicks(1000);
    std::string reason;
    if (!StartProgram(GetModuleHandleW(nullptr), true, &reason)) { // running until exit
        std::fprintf(stderr, "%s: %s\n", target, reason.c_str());
        std::abort();
    }
    framebuffer = new SmallFramebuffer();
    std::atexit(CheckForLeaks);
}

void InputDone() {
    if (++inputs % leakCheckInterval == 0)
        CheckForLeaks();
}

} // namespace fuzz_program
