// Cursors, icons and mouse capture.
#include "platform/core/PlatformTesting.h"
#include "tests/platform/core/RecordingWindow.h"

#include <gtest/gtest.h>

namespace {

using platform_testing::SystemCursor;

TEST(Cursor, SystemCursorsLoadAsStableDistinctHandles) {
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR ibeam = LoadCursorW(nullptr, IDC_IBEAM);
    EXPECT_NE(arrow, nullptr);
    EXPECT_NE(ibeam, nullptr);
    EXPECT_NE(arrow, ibeam);
    EXPECT_EQ(LoadCursorW(nullptr, IDC_ARROW), arrow);
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)), nullptr) << "a cursor the layer does not offer";
    EXPECT_EQ(LoadCursorW(GetModuleHandleW(nullptr), IDC_ARROW), nullptr)
        << "the program has no cursor resources";
}

TEST(Cursor, SetCursorAppliesRecordsAndReturnsThePrevious) {
    RecordingWindow window; // a display to show the cursor on
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR ibeam = LoadCursorW(nullptr, IDC_IBEAM);
    SetCursor(arrow);
    const int changes = platform_testing::CursorChangeCount();

    EXPECT_EQ(SetCursor(ibeam), arrow);
    EXPECT_EQ(platform_testing::CurrentCursor(), SystemCursor::IBeam);
    EXPECT_EQ(SetCursor(ibeam), ibeam);
    EXPECT_EQ(platform_testing::CursorChangeCount(), changes + 2) << "every call counts";
    EXPECT_EQ(SetCursor(arrow), ibeam);
    EXPECT_EQ(platform_testing::CurrentCursor(), SystemCursor::Arrow);
    EXPECT_EQ(SetCursor(nullptr), arrow);
    EXPECT_EQ(platform_testing::CurrentCursor(), SystemCursor::Hidden);
    EXPECT_EQ(platform_testing::CursorChangeCount(), changes + 4);
}

TEST(Icon, LoadIconGivesAHandle) {
    EXPECT_NE(LoadIconW(nullptr, IDI_APPLICATION), nullptr);
    EXPECT_NE(LoadIconW(nullptr, IDI_WINLOGO), nullptr);
}

TEST(Capture, SetAndReleaseFollowTheWindow) {
    RecordingWindow first;
    RecordingWindow second;
    ASSERT_FALSE(platform_testing::MouseCaptured());
    EXPECT_EQ(SetCapture(first.handle), nullptr);
    EXPECT_TRUE(platform_testing::MouseCaptured());
    EXPECT_EQ(GetCapture(), first.handle);
    EXPECT_EQ(SetCapture(second.handle), first.handle) << "the previous holder";
    EXPECT_EQ(GetCapture(), second.handle);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_FALSE(platform_testing::MouseCaptured());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(ReleaseCapture()) << "releasing nothing still succeeds";
}

TEST(Capture, DestroyingTheHolderReleasesTheCapture) {
    HWND holder = nullptr;
    {
        RecordingWindow window;
        holder = window.handle;
        SetCapture(holder);
        EXPECT_TRUE(platform_testing::MouseCaptured());
    }
    EXPECT_FALSE(platform_testing::MouseCaptured());
    EXPECT_EQ(SetCapture(holder), nullptr) << "a destroyed window cannot take the capture";
    EXPECT_FALSE(platform_testing::MouseCaptured());
}

} // namespace
