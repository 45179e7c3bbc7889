// A test with one recording window and nothing queued, captured or held, for tests of input that
// reaches the window as messages, whichever layer the input enters at.
#pragma once

#include "platform/core/PlatformTesting.h"
#include "platform/core/WindowTable.h"
#include "tests/platform/core/RecordingWindow.h"

#include <gtest/gtest.h>

class InputFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window.handle, nullptr);
        native = platform_windowing::LiveWindow(window.handle)->native;
        DiscardAllMessages();
        platform_testing::ClearQuit();
        platform_testing::ForgetHeldInput();
    }
    void TearDown() override {
        ReleaseCapture();
        DiscardAllMessages();
        platform_testing::ForgetHeldInput();
    }

    RecordingWindow window{WS_POPUP, 320, 240};
    platform_backend::NativeWindow native = nullptr; // the window's, as its back end reports input for it
};
