// Entry point of every test program: headless by default, system dialogs recorded instead of shown.
#include "platform/PlatformShutdown.h"
#include "platform/core/PlatformTesting.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Releases what the platform layer keeps for the whole process once every test has run, as the
// program does at exit, so that a leak checker sees only what a test or the program forgot.
class PlatformRelease : public ::testing::Environment {
public:
    void TearDown() override { ShutdownPlatform(); }
};

} // namespace

// Shared libraries stay mapped until the process ends. SDL and Mesa unload the GL driver whenever
// the last context goes; a leak inside a library that is gone by the time LeakSanitizer looks can be
// neither attributed nor suppressed by the library's name. This definition takes the place of the C
// library's for every library in the test process.
extern "C" int dlclose(void*) {
    return 0;
}

int main(int argc, char** argv) {
    // Without a display the tests still get a real llvmpipe GL context through SDL's offscreen
    // driver; a run under Xvfb may set SDL_VIDEODRIVER=x11 instead.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    platform_testing::SuppressSystemDialogs(true);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new PlatformRelease); // owned by GoogleTest
    return RUN_ALL_TESTS();
}
