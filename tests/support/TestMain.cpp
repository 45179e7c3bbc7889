// Entry point of every test program: headless by default, system dialogs recorded instead of shown.
#include "platform/PlatformTesting.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Without a display the tests still get a real llvmpipe GL context through SDL's offscreen
    // driver; a run under Xvfb may set SDL_VIDEODRIVER=x11 instead.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    platform_testing::SuppressSystemDialogs(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
