// What the SDL back end makes of a window: an SDL window exactly the size of the client area, with
// the title in UTF-8.
#include "platform/core/PlatformTesting.h"
#include "tests/platform/core/RecordingWindow.h"
#include "tests/platform/sdl/SdlWindowOf.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

constexpr DWORD mainWindowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_MINIMIZEBOX;

class SdlWindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        DiscardAllMessages();
        EXPECT_EQ(platform_testing::CountLiveObjects().windows, 0) << "a test left a window behind";
    }
};

// The start-up sequence of the program: measure the client area, grow the window by the difference.
TEST_F(SdlWindowTest, CaptionedWindowGetsExactClientAreaAfterSizeCorrection) {
    RecordingWindow window(mainWindowStyle, 1024, 768);
    ASSERT_NE(window.handle, nullptr);
    RECT client = {};
    ASSERT_TRUE(GetClientRect(window.handle, &client));
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    const LONG extraWidth = 1024 - client.right;
    const LONG extraHeight = 768 - client.bottom;
    EXPECT_GT(extraWidth, 0) << "a captioned window has a frame";
    EXPECT_GT(extraHeight, extraWidth) << "the caption makes the frame taller than wide";

    ASSERT_TRUE(MoveWindow(window.handle, 0, 0, 1024 + extraWidth, 768 + extraHeight, TRUE));
    ASSERT_TRUE(GetClientRect(window.handle, &client));
    EXPECT_EQ(client.right, 1024);
    EXPECT_EQ(client.bottom, 768);
    RECT frame = {};
    ASSERT_TRUE(GetWindowRect(window.handle, &frame));
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, 1024 + extraWidth);
    EXPECT_EQ(frame.bottom, 768 + extraHeight);

    int width = 0, height = 0;
    SDL_GetWindowSize(SdlWindowOf(window.handle), &width, &height);
    EXPECT_EQ(width, 1024) << "the SDL window is the client area";
    EXPECT_EQ(height, 768);
}

TEST_F(SdlWindowTest, TitleIsKeptAsUtf16AndGivenToSdlAsUtf8) {
    RecordingWindow window(mainWindowStyle, 1024, 768, L"QV作品---Tessary");
    WCHAR title[64] = {};
    EXPECT_EQ(GetWindowTextW(window.handle, title, 64), 14);
    EXPECT_EQ(std::wstring(title), L"QV作品---Tessary");
    EXPECT_STREQ(SDL_GetWindowTitle(SdlWindowOf(window.handle)), "QV\xE4\xBD\x9C\xE5\x93\x81---Tessary");

    WCHAR shortBuffer[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(GetWindowTextW(window.handle, shortBuffer, 4), 3) << "truncated to the buffer, terminated";
    EXPECT_EQ(std::wstring(shortBuffer), L"QV作");
}

} // namespace
