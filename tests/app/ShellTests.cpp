// The application shell: window, window procedure, InputState, screen manager and frame step.
#include "tests/app/ProbeScreen.h"
#include "tests/support/AppFixture.h"
#include "tests/support/GlTestContext.h"

#include "app/FrameCounter.h"

#include <cstring>

using platform_testing::MouseCaptured;

namespace {

class ShellTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        probe = InstallScreen(new ProbeScreen());
    }
    ProbeScreen* probe = nullptr;
};

TEST_F(ShellTest, ClientAreaIsExactly1024By768AtTheTopLeftOfTheDesktop) {
    RECT client = {};
    ASSERT_TRUE(GetClientRect(mainWindow, &client));
    EXPECT_EQ(client.right - client.left, 1024);
    EXPECT_EQ(client.bottom - client.top, 768);
    RECT frame = {};
    ASSERT_TRUE(GetWindowRect(mainWindow, &frame));
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    WCHAR title[64] = {};
    GetWindowTextW(mainWindow, title, 64);
    EXPECT_EQ(std::wstring(title), L"QV作品---Tessary");
}

TEST_F(ShellTest, KeyMessagesUpdateTheKeyTableBeforeTheScreenSeesThem) {
    Send(WM_KEYDOWN, '1');
    ASSERT_EQ(probe->Count("OnKeyDown"), 1);
    EXPECT_TRUE(probe->calls.back().input.keys['1']) << "the receiver sees its own key held";
    Send(WM_KEYUP, '1');
    ASSERT_EQ(probe->Count("OnKeyUp"), 1);
    EXPECT_FALSE(probe->calls.back().input.keys['1']);
    EXPECT_FALSE(inputState.keys['1']);
}

TEST_F(ShellTest, KeyCodesAbove127AreRoutedButNotRecorded) {
    InputState before = inputState;
    Send(WM_KEYDOWN, 200);
    EXPECT_EQ(probe->Count("OnKeyDown"), 1);
    EXPECT_EQ(0, std::memcmp(before.keys, inputState.keys, sizeof(before.keys)));
}

TEST_F(ShellTest, TabLineFeedReturnAndEscapeProduceNoCharacterButBackspaceDoes) {
    for (WPARAM code : {9, 10, 13, 27})
        Send(WM_CHAR, code);
    EXPECT_EQ(probe->Count("OnChar"), 0);
    Send(WM_CHAR, 8);
    Send(WM_CHAR, 0x10000 | 'x'); // only the low 16 bits are the character
    ASSERT_EQ(probe->Count("OnChar"), 2);
    EXPECT_EQ(probe->calls[probe->calls.size() - 2].argument, 8u);
    EXPECT_EQ(probe->calls.back().argument, static_cast<uint32_t>('x'));
}

TEST_F(ShellTest, MouseMessagesCarrySignedPositionsAndButtonsSeeTheLastMove) {
    MoveMouse(-5, -300);
    EXPECT_EQ(inputState.mouseX, -5);
    EXPECT_EQ(inputState.mouseY, -300);
    ASSERT_EQ(probe->Count("OnMouseMove"), 1);

    // Button messages do not move the pointer: the receiver sees the last WM_MOUSEMOVE position.
    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(40, 50));
    ASSERT_EQ(probe->Count("OnMouseDown"), 1);
    const InputState& seen = probe->calls.back().input;
    EXPECT_TRUE(seen.leftButton);
    EXPECT_EQ(seen.mouseX, -5);
    EXPECT_EQ(seen.mouseY, -300);
}

TEST_F(ShellTest, EitherButtonCapturesAndEitherReleaseEndsTheCapture) {
    Send(WM_RBUTTONDOWN);
    EXPECT_TRUE(inputState.rightButton);
    EXPECT_TRUE(MouseCaptured());
    Send(WM_LBUTTONUP);
    EXPECT_FALSE(MouseCaptured()) << "releasing the left button releases the capture";
    EXPECT_TRUE(inputState.rightButton) << "the right button is still held";
    EXPECT_EQ(probe->Count("OnMouseDown"), 1);
    EXPECT_EQ(probe->Count("OnMouseUp"), 1);
    Send(WM_RBUTTONUP);
    EXPECT_FALSE(inputState.rightButton);
}

TEST_F(ShellTest, WhilePausedInputIsRecordedButNotRouted) {
    Send(WM_KILLFOCUS);
    EXPECT_TRUE(inputState.paused);
    Send(WM_KEYDOWN, '2');
    Send(WM_CHAR, '2');
    MoveMouse(100, 200);
    Send(WM_LBUTTONDOWN);
    EXPECT_TRUE(inputState.keys['2']);
    EXPECT_EQ(inputState.mouseX, 100);
    EXPECT_TRUE(inputState.leftButton);
    EXPECT_TRUE(probe->EventSlots().empty()) << "no event reached the screen while paused";

    // The wheel is the exception: it is not gated by the pause flag.
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)));
    ASSERT_EQ(probe->Count("OnMouseWheel"), 1);
    EXPECT_EQ(static_cast<int16_t>(probe->calls.back().argument & 0xFFFF), -120);

    Send(WM_ACTIVATEAPP, FALSE); // any activation message resumes, whatever wParam says
    EXPECT_FALSE(inputState.paused);
    Send(WM_KEYUP, '2');
    EXPECT_EQ(probe->Count("OnKeyUp"), 1);
}

TEST_F(ShellTest, PausedFrameStepSleepsWithoutDrawingUpdatingOrCounting) {
    Send(WM_KILLFOCUS);
    int framesLeft = application->frameCounter->framesLeft;
    DWORD before = GetTickCount();
    EXPECT_TRUE(FrameStep());
    EXPECT_EQ(GetTickCount() - before, 300u) << "a paused turn sleeps 300 ms";
    EXPECT_EQ(probe->Count("Draw"), 0);
    EXPECT_EQ(probe->Count("Update"), 0);
    EXPECT_EQ(application->frameCounter->framesLeft, framesLeft);

    Send(WM_ACTIVATEAPP, TRUE);
    EXPECT_TRUE(FrameStep());
    EXPECT_EQ(probe->Count("Draw3D"), 1);
    EXPECT_EQ(probe->Count("Draw"), 1);
    EXPECT_EQ(probe->Count("Update"), 1);
    EXPECT_EQ(application->frameCounter->framesLeft, framesLeft - 1);
}

TEST_F(ShellTest, FrameStepDrainsEveryWaitingMessageBetweenTwoFrames) {
    Post(WM_KEYDOWN, '3');
    Post(WM_CHAR, '3');
    Post(WM_KEYUP, '3');
    EXPECT_TRUE(FrameStep());
    EXPECT_EQ(probe->EventSlots(), (std::vector<std::string>{"OnKeyDown", "OnChar", "OnKeyUp"}));
    EXPECT_EQ(platform_testing::QueuedMessageCount(), 0u);
}

TEST_F(ShellTest, CloseRequestEndsTheLoopAndDestroysTheWindow) {
    Post(WM_CLOSE);
    EXPECT_FALSE(FrameStep()) << "WM_QUIT taken";
    EXPECT_FALSE(IsWindow(mainWindow));
}

TEST_F(ShellTest, TheOverlayRestoresThe3DStateForTheNextFrame) {
    EXPECT_TRUE(FrameStep());
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
}

class ScreenManagerTest : public AppFixture {};

TEST_F(ScreenManagerTest, WithoutAnActiveScreenInputOnlyReachesInputState) {
    auto* probe = new ProbeScreen();
    Manager().AddScreen(probe); // stored but not made active: current stays -1
    Send(WM_KEYDOWN, '5');
    MoveMouse(10, 10);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120));
    EXPECT_TRUE(FrameStep());
    EXPECT_TRUE(inputState.keys['5']);
    EXPECT_TRUE(probe->calls.empty());
    Manager().current = 1; // out of range is no screen too
    EXPECT_EQ(Manager().ActiveScreen(), nullptr);
}

TEST_F(ScreenManagerTest, A33rdScreenIsRefusedWithTheSystemMessage) {
    for (int i = 0; i < 32; ++i)
        Manager().AddScreen(new ProbeScreen());
    int boxes = platform_testing::SystemMessageBoxCount();
    ProbeScreen extra;
    Manager().AddScreen(&extra);
    Manager().AddScreen(&extra);
    EXPECT_EQ(Manager().count, 32);
    EXPECT_EQ(platform_testing::SystemMessageBoxCount(), boxes + 2) << "one message per attempt";
    EXPECT_EQ(platform_testing::LastSystemMessageBoxText(), L"超出规定大小，ScreenManager中修改....");
    EXPECT_EQ(platform_testing::LastSystemMessageBoxCaption(), L"屏幕数量太多");
}

TEST_F(ScreenManagerTest, TeardownDeletesStoredScreensInIndexOrderSkippingNullSlots) {
    std::vector<std::string> deletions;
    Manager().AddScreen(new ProbeScreen(&deletions, "first"));
    Manager().AddScreen(nullptr);
    Manager().AddScreen(new ProbeScreen(&deletions, "third"));
    Shutdown();
    EXPECT_EQ(deletions, (std::vector<std::string>{"first", "third"}));
    EXPECT_EQ(application, nullptr);
}

TEST_F(ScreenManagerTest, AFrameWithoutScreensShowsOnlyBlackAndTheCounter) {
    PresentFrame();
    // The swap leaves the back buffer undefined; draw again without swapping to read it.
    DrawFrame();
    Frame frame = ReadFrame();
    EXPECT_TRUE(PixelNear(frame, 512, 384, 0, 0, 0));
    EXPECT_TRUE(PixelNear(frame, 1000, 700, 0, 0, 0));
    int lit = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            lit += frame.At(x, y)[0] > 100;
    EXPECT_GT(lit, 0) << "the frame counter's \"0\" is drawn in the top-left corner";
}

} // namespace
