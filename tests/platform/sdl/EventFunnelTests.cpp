// SDL events pushed into SDL's own queue, as the video driver would deliver them, and the Win32
// messages that come out of the message queue for them: how the funnel maps SDL's events. The rules
// of the messages themselves are the core's (tests/platform/core/InputTests.cpp).
#include "platform/core/PlatformTesting.h"
#include "tests/platform/core/InputFixture.h"
#include "tests/platform/sdl/SdlWindowOf.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

namespace {

class EventFunnelTest : public InputFixture {
protected:
    void Push(SDL_Event& event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

    void PushKey(bool down, SDL_Scancode scancode, SDL_Keycode keycode, bool repeat = false) {
        SDL_Event event = {};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.windowID = SdlWindowIdOf(window.handle);
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat ? 1 : 0;
        event.key.keysym.scancode = scancode;
        event.key.keysym.sym = keycode;
        Push(event);
    }
    void PushKeyDown(SDL_Scancode scancode) { PushKey(true, scancode, SDL_GetKeyFromScancode(scancode)); }

    void PushText(const char* utf8) {
        SDL_Event event = {};
        event.type = SDL_TEXTINPUT;
        event.text.windowID = SdlWindowIdOf(window.handle);
        std::strncpy(event.text.text, utf8, sizeof(event.text.text) - 1);
        Push(event);
    }

    void PushMotion(int x, int y) {
        SDL_Event event = {};
        event.type = SDL_MOUSEMOTION;
        event.motion.windowID = SdlWindowIdOf(window.handle);
        event.motion.x = x;
        event.motion.y = y;
        Push(event);
    }

    void PushButton(bool down, Uint8 button, int x, int y) {
        SDL_Event event = {};
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.windowID = SdlWindowIdOf(window.handle);
        event.button.button = button;
        event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.button.clicks = 1;
        event.button.x = x;
        event.button.y = y;
        Push(event);
    }

    void PushWheel(int notches, float preciseNotches, Uint32 direction, int x = 30, int y = 40) {
        SDL_Event event = {};
        event.type = SDL_MOUSEWHEEL;
        event.wheel.windowID = SdlWindowIdOf(window.handle);
        event.wheel.y = notches;
        event.wheel.preciseY = preciseNotches;
        event.wheel.direction = direction;
        event.wheel.mouseX = x;
        event.wheel.mouseY = y;
        Push(event);
    }

    void PushWindowEvent(SDL_WindowEventID what, int data1 = 0, int data2 = 0) {
        SDL_Event event = {};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = SdlWindowIdOf(window.handle);
        event.window.event = static_cast<Uint8>(what);
        event.window.data1 = data1;
        event.window.data2 = data2;
        Push(event);
    }
};

TEST_F(EventFunnelTest, DigitRowGivesDigitCodesWhateverTheLayout) {
    // On AZERTY the digit row types '&' and 'à' unshifted; the physical key still names the axis.
    PushKey(true, SDL_SCANCODE_1, SDLK_AMPERSAND);
    PushKey(false, SDL_SCANCODE_1, SDLK_AMPERSAND);
    PushKey(true, SDL_SCANCODE_0, 0xE0);
    PushKey(true, SDL_SCANCODE_7, SDLK_7);
    const std::vector<Message> expected = {
        {WM_KEYDOWN, '1', firstPress},
        {WM_KEYUP, '1', release},
        {WM_KEYDOWN, '0', firstPress},
        {WM_KEYDOWN, '7', firstPress},
    };
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(EventFunnelTest, PhysicalKeysMapToWindowsVirtualKeys) {
    const std::pair<SDL_Scancode, WPARAM> keys[] = {
        {SDL_SCANCODE_A, 'A'},
        {SDL_SCANCODE_Z, 'Z'},
        {SDL_SCANCODE_LSHIFT, VK_SHIFT},
        {SDL_SCANCODE_RSHIFT, VK_SHIFT},
        {SDL_SCANCODE_ESCAPE, 27},
        {SDL_SCANCODE_LEFT, 37},
        {SDL_SCANCODE_UP, VK_UP},
        {SDL_SCANCODE_RIGHT, 39},
        {SDL_SCANCODE_DOWN, VK_DOWN},
        {SDL_SCANCODE_BACKSPACE, 8},
        {SDL_SCANCODE_RETURN, 13},
        {SDL_SCANCODE_KP_ENTER, 13},
        {SDL_SCANCODE_TAB, 9},
        {SDL_SCANCODE_SPACE, VK_SPACE},
        {SDL_SCANCODE_DELETE, VK_DELETE},
        {SDL_SCANCODE_HOME, VK_HOME},
        {SDL_SCANCODE_END, VK_END},
        {SDL_SCANCODE_F1, VK_F1},
        {SDL_SCANCODE_F12, VK_F12},
        {SDL_SCANCODE_LCTRL, VK_CONTROL},
        {SDL_SCANCODE_RCTRL, VK_CONTROL},
        {SDL_SCANCODE_LALT, VK_MENU},
        {SDL_SCANCODE_KP_0, 96},
        {SDL_SCANCODE_KP_5, 101},
        {SDL_SCANCODE_KP_9, 105},
    };
    std::vector<Message> expected;
    for (const auto& [scancode, virtualKey] : keys) {
        PushKeyDown(scancode);
        expected.push_back({WM_KEYDOWN, virtualKey, firstPress});
    }
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(EventFunnelTest, UnmappedKeysProduceNoMessage) {
    PushKeyDown(SDL_SCANCODE_CAPSLOCK);
    PushKeyDown(SDL_SCANCODE_PRINTSCREEN);
    PushKey(false, SDL_SCANCODE_CAPSLOCK, SDLK_CAPSLOCK);
    EXPECT_EQ(TakeAllMessagesBrief(), std::vector<Message>{});
}

TEST_F(EventFunnelTest, AutoRepeatSendsFurtherKeyDownsMarkedAsRepeats) {
    PushKey(true, SDL_SCANCODE_LEFT, SDLK_LEFT);
    PushKey(true, SDL_SCANCODE_LEFT, SDLK_LEFT, true);
    const std::vector<Message> expected = {
        {WM_KEYDOWN, VK_LEFT, firstPress},
        {WM_KEYDOWN, VK_LEFT, repeatedPress},
    };
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(EventFunnelTest, TextFollowsItsKeyAsUtf16CodeUnits) {
    PushKeyDown(SDL_SCANCODE_4);
    PushText("4");
    PushText("\xF0\x9F\x98\x80");     // U+1F600, beyond the BMP
    PushText("\xE4\xB8\xAD\xC3\xA9"); // two characters in one event
    const std::vector<Message> expected = {
        {WM_KEYDOWN, '4', firstPress}, {WM_CHAR, '4', 1},    {WM_CHAR, 0xD83D, 1},
        {WM_CHAR, 0xDE00, 1},          {WM_CHAR, 0x4E2D, 1}, {WM_CHAR, 0xE9, 1},
    };
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(EventFunnelTest, BackspaceCharacterComesBetweenItsKeyAndTheNextOne) {
    PushKeyDown(SDL_SCANCODE_BACKSPACE);
    PushKeyDown(SDL_SCANCODE_5);
    PushText("5");
    std::vector<Message> seen;
    MSG message = {};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        seen.push_back({message.message, message.wParam, message.lParam});
        TranslateMessage(&message);
    }
    const std::vector<Message> expected = {
        {WM_KEYDOWN, VK_BACK, firstPress},
        {WM_CHAR, 8, firstPress},
        {WM_KEYDOWN, '5', firstPress},
        {WM_CHAR, '5', 1},
    };
    EXPECT_EQ(seen, expected);
}

TEST_F(EventFunnelTest, MotionAndTheThreeButtonsBecomeMouseMessagesSideButtonsNone) {
    PushMotion(10, 20);
    PushButton(true, SDL_BUTTON_LEFT, 10, 20);
    PushButton(false, SDL_BUTTON_LEFT, 15, 25);
    PushButton(true, SDL_BUTTON_RIGHT, 16, 26);
    PushButton(false, SDL_BUTTON_RIGHT, 16, 26);
    PushButton(true, SDL_BUTTON_MIDDLE, 17, 27);
    PushButton(false, SDL_BUTTON_MIDDLE, 17, 27);
    PushButton(true, SDL_BUTTON_X1, 18, 28);
    const std::vector<Message> expected = {
        {WM_MOUSEMOVE, 0, Point(10, 20)}, {WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 20)},
        {WM_LBUTTONUP, 0, Point(15, 25)}, {WM_RBUTTONDOWN, MK_RBUTTON, Point(16, 26)},
        {WM_RBUTTONUP, 0, Point(16, 26)}, {WM_MBUTTONDOWN, MK_MBUTTON, Point(17, 27)},
        {WM_MBUTTONUP, 0, Point(17, 27)},
    };
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(EventFunnelTest, WheelTakesPreciseNotchesThenWholeOnesAndUndoesAFlippedWheel) {
    PushWheel(1, 1.0f, SDL_MOUSEWHEEL_NORMAL);
    PushWheel(1, 1.0f, SDL_MOUSEWHEEL_FLIPPED); // the system reverses the wheel; undo it
    PushWheel(0, 0.5f, SDL_MOUSEWHEEL_NORMAL);  // half a notch from a smooth wheel
    PushWheel(-1, 0.0f, SDL_MOUSEWHEEL_NORMAL); // a driver that fills only the whole notches
    PushWheel(0, 0.0f, SDL_MOUSEWHEEL_NORMAL);  // sideways only: nothing
    const LPARAM where = Point(30, 40);
    const std::vector<Message> expected = {
        {WM_MOUSEWHEEL, Wheel(120), where},
        {WM_MOUSEWHEEL, Wheel(-120), where},
        {WM_MOUSEWHEEL, Wheel(60), where},
        {WM_MOUSEWHEEL, Wheel(-120), where},
    };
    EXPECT_EQ(TakeAllMessagesBrief(), expected);
}

TEST_F(EventFunnelTest, FocusEventsReportFocusOtherWindowEventsNothing) {
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    std::vector<Message> taken = TakeAllMessagesBrief();
    ASSERT_FALSE(taken.empty());
    EXPECT_EQ(taken.back().message, static_cast<UINT>(WM_KILLFOCUS)) << "and nothing for the exposure";
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    taken = TakeAllMessagesBrief();
    ASSERT_FALSE(taken.empty());
    EXPECT_EQ(taken.back().message, static_cast<UINT>(WM_SETFOCUS));
}

TEST_F(EventFunnelTest, CloseButtonAndQuitRequestBecomeWmClose) {
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    Push(quit);
    const std::vector<MSG> taken = TakeAllMessages();
    ASSERT_EQ(taken.size(), 2u);
    for (const MSG& message : taken) {
        EXPECT_EQ(message.message, static_cast<UINT>(WM_CLOSE));
        EXPECT_EQ(message.hwnd, window.handle);
    }
}

TEST_F(EventFunnelTest, TerminationSignalClosesTheWindow) {
    struct sigaction current = {};
    sigaction(SIGINT, nullptr, &current);
    if (current.sa_handler == SIG_DFL || current.sa_handler == SIG_IGN)
        GTEST_SKIP() << "SDL has not taken over SIGINT in this process";
    std::raise(SIGINT);
    EXPECT_EQ(TakeAllMessagesBrief(), (std::vector<Message>{{WM_CLOSE, 0, 0}}));
}

TEST_F(EventFunnelTest, EventsGoToTheirOwnWindowOnly) {
    RecordingWindow other;
    SDL_Event key = {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.scancode = SDL_SCANCODE_Q;
    key.key.windowID = SdlWindowIdOf(other.handle);
    Push(key);
    key.key.windowID = 0xFFFF; // no such window
    Push(key);
    const std::vector<MSG> taken = TakeAllMessages();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].hwnd, other.handle);
    EXPECT_EQ(taken[0].wParam, static_cast<WPARAM>('Q'));
}

TEST_F(EventFunnelTest, WindowMovedByTheWindowManagerMovesTheWindowRect) {
    PushWindowEvent(SDL_WINDOWEVENT_MOVED, 200, 120);
    EXPECT_EQ(TakeAllMessagesBrief(), std::vector<Message>{});
    RECT frame = {};
    ASSERT_TRUE(GetWindowRect(window.handle, &frame));
    EXPECT_EQ(frame.left, 200);
    EXPECT_EQ(frame.top, 120);
}

} // namespace
