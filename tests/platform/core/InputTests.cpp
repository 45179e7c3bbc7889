// Input reported as a back end reports it (platform/core/Input.h), and the Win32 messages that come
// out of the message queue for it: the rules every back end shares, whatever its events.
#include "platform/core/Input.h"
#include "tests/platform/core/InputFixture.h"

using namespace platform_input;

namespace {

using InputTest = InputFixture;

TEST_F(InputTest, KeysCarryRepeatAndReleaseBitsAndTypedUnitsBecomeCharacters) {
    ReportKey(native, VK_LEFT, true, false);
    ReportKey(native, VK_LEFT, true, true);
    ReportKey(native, VK_LEFT, true, true);
    ReportKey(native, VK_LEFT, false, false);
    ReportCodeUnit(native, 0xD83D);
    const std::vector<Message> expected = {
        {WM_KEYDOWN, VK_LEFT, firstPress},
        {WM_KEYDOWN, VK_LEFT, repeatedPress},
        {WM_KEYDOWN, VK_LEFT, repeatedPress},
        {WM_KEYUP, VK_LEFT, release},
        {WM_CHAR, 0xD83D, 1},
    };
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(InputTest, MouseMessagesCarryClientPositionAndButtonFlags) {
    ReportMove(native, 10, 20);
    ReportButton(native, MouseButton::Left, true, 10, 20);
    ReportMove(native, 15, 25);
    ReportButton(native, MouseButton::Left, false, 15, 25);
    ReportButton(native, MouseButton::Right, true, 16, 26);
    ReportButton(native, MouseButton::Right, false, 16, 26);
    ReportButton(native, MouseButton::Middle, true, 17, 27);
    ReportButton(native, MouseButton::Middle, false, 17, 27);
    const std::vector<Message> expected = {
        {WM_MOUSEMOVE, 0, Point(10, 20)},
        {WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 20)},
        {WM_MOUSEMOVE, MK_LBUTTON, Point(15, 25)},
        {WM_LBUTTONUP, 0, Point(15, 25)},
        {WM_RBUTTONDOWN, MK_RBUTTON, Point(16, 26)},
        {WM_RBUTTONUP, 0, Point(16, 26)},
        {WM_MBUTTONDOWN, MK_MBUTTON, Point(17, 27)},
        {WM_MBUTTONUP, 0, Point(17, 27)},
    };
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(InputTest, HeldShiftControlAndButtonsFlagEveryMouseMessageTheWheelIncluded) {
    ReportKey(native, VK_SHIFT, true, false);
    ReportButton(native, MouseButton::Left, true, 1, 2);
    ReportKey(native, VK_CONTROL, true, false);
    ReportWheel(native, WHEEL_DELTA, 1, 2);
    ReportKey(native, VK_SHIFT, false, false);
    ReportKey(native, VK_CONTROL, false, false);
    ReportMove(native, 3, 4);
    const std::vector<Message> expected = {
        {WM_KEYDOWN, VK_SHIFT, firstPress},
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, Point(1, 2)},
        {WM_KEYDOWN, VK_CONTROL, firstPress},
        {WM_MOUSEWHEEL, Wheel(120, MK_LBUTTON | MK_SHIFT | MK_CONTROL), Point(1, 2)},
        {WM_KEYUP, VK_SHIFT, release},
        {WM_KEYUP, VK_CONTROL, release},
        {WM_MOUSEMOVE, MK_LBUTTON, Point(3, 4)},
    };
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(InputTest, AButtonReportThatChangesNothingHeldPostsNothing) {
    ReportButton(native, MouseButton::Left, true, 5, 5);
    ReportButton(native, MouseButton::Left, true, 6, 6);
    ReportButton(native, MouseButton::Left, false, 7, 7);
    ReportButton(native, MouseButton::Left, false, 8, 8);
    ReportButton(native, MouseButton::Right, false, 9, 9);
    const std::vector<Message> expected = {
        {WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)},
        {WM_LBUTTONUP, 0, Point(7, 7)},
    };
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(InputTest, MessagesCarryThePointerInScreenCoordinatesAndTheWheelItsLParamToo) {
    ASSERT_TRUE(MoveWindow(window.handle, 100, 50, 320, 240, TRUE));
    ReportMove(native, 10, 20);
    ReportWheel(native, WHEEL_DELTA, 30, 40);
    const std::vector<MSG> taken = TakeAllMessages();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].pt.x, 110);
    EXPECT_EQ(taken[0].pt.y, 70);
    EXPECT_EQ(taken[0].hwnd, window.handle);
    EXPECT_EQ(taken[0].lParam, Point(10, 20)) << "client coordinates";
    EXPECT_EQ(taken[1].pt.x, 130);
    EXPECT_EQ(taken[1].pt.y, 90);
    EXPECT_EQ(taken[1].lParam, Point(130, 90)) << "unlike the other mouse messages, screen coordinates";
}

TEST_F(InputTest, CapturedDragOutsideTheWindowKeepsSignedCoordinates) {
    ReportButton(native, MouseButton::Left, true, 0, 0);
    SetCapture(window.handle);
    DiscardAllMessages();
    ReportMove(native, -5, -7);
    ReportMove(native, 40000, -40000);
    ReportButton(native, MouseButton::Left, false, 1500, 900);
    const std::vector<Message> taken = TakeAllMessagesBrief();
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(static_cast<short>(LOWORD(taken[0].lParam)), -5);
    EXPECT_EQ(static_cast<short>(HIWORD(taken[0].lParam)), -7);
    EXPECT_EQ(static_cast<short>(LOWORD(taken[1].lParam)), 32767) << "clamped, not wrapped";
    EXPECT_EQ(static_cast<short>(HIWORD(taken[1].lParam)), -32768);
    EXPECT_EQ(taken[2], (Message{WM_LBUTTONUP, 0, Point(1500, 900)}));
}

TEST_F(InputTest, WheelGives120PerNotchPositiveAwayFromTheUser) {
    ReportWheel(native, 120, 30, 40);
    ReportWheel(native, -120, 30, 40);
    ReportWheel(native, 60, 30, 40);  // half a notch from a smooth wheel
    ReportWheel(native, 0.4, 30, 40); // less than a unit: nothing
    const LPARAM where = Point(30, 40);
    const std::vector<Message> expected = {
        {WM_MOUSEWHEEL, Wheel(120), where},
        {WM_MOUSEWHEEL, Wheel(-120), where},
        {WM_MOUSEWHEEL, Wheel(60), where},
    };
    const std::vector<Message> taken = TakeAllMessagesBrief();
    EXPECT_EQ(taken, expected);
    ASSERT_EQ(taken.size(), expected.size());
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(taken[1].wParam), -120);
}

TEST_F(InputTest, AFastSpinBecomesOneMessagePerNotchUpToAHundred) {
    ReportWheel(native, -2.5 * WHEEL_DELTA, 30, 40);
    ReportWheel(native, 1000.0 * WHEEL_DELTA, 30, 40);
    const std::vector<Message> taken = TakeAllMessagesBrief();
    ASSERT_EQ(taken.size(), 3u + 100u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(taken[0].wParam), -120);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(taken[1].wParam), -120);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(taken[2].wParam), -60) << "the remaining half notch";
    for (size_t i = 3; i < taken.size(); ++i)
        ASSERT_EQ(GET_WHEEL_DELTA_WPARAM(taken[i].wParam), 120) << "message " << i;
}

TEST_F(InputTest, FocusChangesBecomeActivationMessagesInWindowsOrder) {
    ReportFocus(native, false);
    ReportFocus(native, true);
    const std::vector<Message> expected = {
        {WM_ACTIVATEAPP, FALSE, 0},
        {WM_KILLFOCUS, 0, 0},
        {WM_ACTIVATEAPP, TRUE, 0},
        {WM_SETFOCUS, 0, 0},
    };
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(InputTest, LosingTheKeyboardFirstReleasesEveryKeyAndButtonStillHeld) {
    ReportKey(native, '0', true, false);
    ReportKey(native, '1', true, false);
    ReportKey(native, VK_SHIFT, true, false);
    constexpr int oemPeriod = 0xBE; // VK_OEM_PERIOD: a key code above 0x80 is let go too
    ReportKey(native, oemPeriod, true, false);
    ReportButton(native, MouseButton::Left, true, 7, 8);
    ReportMove(native, 9, 10);
    DiscardAllMessages();
    ReportFocus(native, false);
    ReportFocus(native, true);
    ReportFocus(native, false);
    const std::vector<Message> expected = {
        {WM_KEYUP, VK_SHIFT, release},
        {WM_KEYUP, '0', release},
        {WM_KEYUP, '1', release},
        {WM_KEYUP, oemPeriod, release},
        {WM_LBUTTONUP, 0, Point(9, 10)},
        {WM_ACTIVATEAPP, FALSE, 0},
        {WM_KILLFOCUS, 0, 0},
        {WM_ACTIVATEAPP, TRUE, 0},
        {WM_SETFOCUS, 0, 0},
        {WM_ACTIVATEAPP, FALSE, 0},
        {WM_KILLFOCUS, 0, 0},
    };
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(InputTest, APointerTakenAwayReleasesItsButtonsWhereItLastWasAndOnlyThose) {
    ReportButton(native, MouseButton::Right, true, 3, 4);
    ReportMove(native, 5, 6);
    ReportKey(native, VK_SHIFT, true, false);
    DiscardAllMessages();
    ReportButtonsLost(native);
    ReportButtonsLost(native);
    const std::vector<Message> expected = {{WM_RBUTTONUP, MK_SHIFT, Point(5, 6)}};
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(InputTest, CloseRequestsBecomeWmCloseToTheirWindowsAndNoneOnceTheyAreGone) {
    RecordingWindow other;
    ReportClose(native);
    ReportCloseEveryWindow();
    const std::vector<MSG> taken = TakeAllMessages();
    ASSERT_EQ(taken.size(), 3u);
    for (const MSG& message : taken)
        EXPECT_EQ(message.message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(taken[0].hwnd, window.handle);
    EXPECT_EQ(taken[1].hwnd, window.handle);
    EXPECT_EQ(taken[2].hwnd, other.handle) << "every window is asked";
    DispatchMessageW(&taken[0]);
    EXPECT_FALSE(IsWindow(window.handle)) << "the default handling of WM_CLOSE destroys the window";
    DestroyWindow(other.handle);

    ReportCloseEveryWindow();
    ReportKey(native, 'A', true, false);
    ReportClose(nullptr);
    EXPECT_EQ(TakeAllMessagesBrief(), std::vector<Message>{}) << "no window left to tell";
}

TEST_F(InputTest, ClientMovedByTheWindowManagerMovesTheWindowRect) {
    ReportClientMoved(native, 200, 120);
    EXPECT_EQ(TakeAllMessagesBrief(), std::vector<Message>{});
    RECT frame = {};
    ASSERT_TRUE(GetWindowRect(window.handle, &frame));
    EXPECT_EQ(frame.left, 200);
    EXPECT_EQ(frame.top, 120);
    EXPECT_EQ(frame.right, 520);
    EXPECT_EQ(frame.bottom, 360);
}

} // namespace
