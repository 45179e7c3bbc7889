// Input a user should not give, through the real window procedure: huge and malformed entries,
// changes of dimension under held keys, buttons held across a message box, a quit while a box is
// open, the focus lost in the middle of a drag, and wheel spins far past the zoom limits.
#include "tests/reliability/MonkeyDriver.h"
#include "tests/reliability/ReliabilityFixture.h"

#include "gui/TextTexture.h"
#include "platform/core/PlatformTesting.h"
#include "tests/support/LongRuns.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

using namespace reliability;

namespace {

class HostileInputTest : public ViewerFixture {
protected:
    // The invariants of the monkey test, checked here after the fact.
    void ExpectInvariants(const char* when) {
        RandomDecisions unused(0);
        MonkeyDriver checker(viewer, unused);
        EXPECT_EQ(checker.CheckInvariants(true), "") << when;
    }
    float CameraDistance() const {
        const float* e = viewer->camera.eye;
        return std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
    }
    // Runs `check` once when the marker is dispatched: inside the modal loop when it was posted
    // after the click that opened a box.
    static void OnMarker(std::function<void()> check) {
        platform_testing::SetDispatchHook([check](const MSG& message) {
            if (message.message == marker)
                check();
        });
    }
    static constexpr UINT marker = WM_APP + 9;
};

TEST_F(HostileInputTest, AHundredThousandDigitEntryRendersOnlyTheVisibleTextAtEveryKeystroke) {
    PostClick(fieldX, fieldY);
    Step();
    QV_TextBox* box = viewer->dimensionBox;
    ASSERT_EQ(viewer->focus, box);
    int widestTexture = 0;
    const int chunks = LongRunCount(100, 10), digits = chunks * 1000;
    for (int chunk = 0; chunk < chunks; ++chunk) {
        for (int i = 0; i < 1000; ++i)
            Send(WM_CHAR, '0' + (chunk + i) % 10);
        // What the box shows, and therefore renders, is only what fits in its frame.
        ASSERT_LE(box->texture->textWidth, box->width) << "after " << (chunk + 1) * 1000 << " digits";
        widestTexture = std::max(widestTexture, box->texture->textureWidth);
    }
    Step();
    EXPECT_EQ(box->text.size(), static_cast<size_t>(digits));
    EXPECT_EQ(box->caret, digits);
    EXPECT_GT(box->scroll, digits - 20) << "only the last few digits are visible";
    EXPECT_LE(widestTexture, 128) << "the texture never held more than the visible digits";
    ExpectInvariants((std::to_string(digits) + " digits").c_str());

    // Deleting keeps the caret at the right; the number is far out of range and is refused.
    for (int i = 0; i < 500; ++i)
        Post(WM_CHAR, VK_BACK);
    bool asked = false;
    OnMarker([&] { asked = Manager().messageBoxOpen; });
    PostClick(buttonX, buttonY);
    Post(marker);
    PostClick(okAloneX, answerY);
    Step();
    EXPECT_TRUE(asked) << "a " << digits - 500 << "-digit dimension is refused";
    EXPECT_EQ(box->text.size(), static_cast<size_t>(digits - 500));
    EXPECT_FALSE(viewer->model.built);
    ExpectInvariants("after deleting 500 digits and the refusal");
}

TEST_F(HostileInputTest, OutOfRangeEmptyAndSignedEntriesAreRefusedAndZeroPaddedThreeIsBuilt) {
    struct Case {
        const wchar_t* typed;
        const wchar_t* shown; // what the digits-only field keeps
        int built;            // the dimension afterwards, 0 for none
        bool refused;
    };
    const Case cases[] = {{L"99999999999", L"99999999999", 0, true},
                          {L"-1", L"1", 0, true},
                          {L"", L"", 0, true},
                          {L"03", L"03", 3, false},
                          {L"+4", L"4", 4, false},
                          {L"4294967299", L"4294967299", 4, true}};
    for (const Case& c : cases) {
        bool asked = false;
        OnMarker([&] { asked = Manager().messageBoxOpen; });
        PostFieldText(c.typed);
        PostClick(buttonX, buttonY);
        Post(marker);
        PostClick(okAloneX, answerY);
        Step();
        const std::wstring typed(c.typed);
        EXPECT_EQ(viewer->dimensionBox->text, c.shown) << "typed " << std::string(typed.begin(), typed.end());
        EXPECT_EQ(viewer->model.built ? viewer->model.dimension : 0, c.built)
            << "typed " << std::string(typed.begin(), typed.end());
        EXPECT_EQ(asked, c.refused) << "typed " << std::string(typed.begin(), typed.end());
        EXPECT_FALSE(Manager().messageBoxOpen);
        ExpectInvariants("after a refused or accepted entry");
    }
}

TEST_F(HostileInputTest, SwitchingTheDimensionWhileDigitKeysAreHeldTurnsOnlyExistingAxes) {
    Generate(L"5");
    ASSERT_EQ(viewer->model.dimension, 5);
    Post(WM_KEYDOWN, '3');
    Post(WM_KEYDOWN, '4');
    Post(WM_KEYDOWN, VK_SHIFT);
    Step();
    platform_testing::AdvanceTicks(300);
    Step();
    ExpectInvariants("turning the 5-cube in the plane of axes 3 and 4");

    // Axes 3 and 4 do not exist in the 3-cube: the held keys turn nothing.
    Generate(L"3");
    ASSERT_EQ(viewer->model.dimension, 3);
    const std::vector<float> before(viewer->model.vertices, viewer->model.vertices + 24);
    platform_testing::AdvanceTicks(500);
    Step(2);
    EXPECT_EQ(std::vector<float>(viewer->model.vertices, viewer->model.vertices + 24), before);

    // The 8-cube, after OK, turns at once under the same keys.
    Generate(L"8", okWithCancelX);
    ASSERT_EQ(viewer->model.dimension, 8);
    platform_testing::AdvanceTicks(700);
    Step(2);
    EXPECT_NE(viewer->model.vertices[0 * 8 + 3], -25.0f) << "axis 3 of vertex 0 has turned";
    ExpectInvariants("after turning the 8-cube");
    Post(WM_KEYUP, '3');
    Post(WM_KEYUP, '4');
    Post(WM_KEYUP, VK_SHIFT);
    Step();
}

TEST_F(HostileInputTest, AButtonHeldAcrossAMessageBoxLeavesTheCameraAndCaptureConsistent) {
    // A left drag starts in the 3-D area and is still held when a right click on the button opens
    // the refusal; the box answers to the right button too.
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(500, 400));
    Post(WM_LBUTTONDOWN, 0, MAKELPARAM(500, 400));
    Step();
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(520, 410));
    Step(2); // the second update takes the move, so the next one has nothing left to turn
    const std::vector<float> eyeBefore(viewer->camera.eye, viewer->camera.eye + 3);

    std::vector<float> eyeDuringBox;
    bool open = false;
    OnMarker([&] {
        open = Manager().messageBoxOpen;
        // Moves with the left button still held inside the box's loop turn nothing.
        PostMessageW(mainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
        PostMessageW(mainWindow, WM_APP + 10, 0, 0);
    });
    PostClick(buttonX, buttonY, WM_RBUTTONDOWN, WM_RBUTTONUP);
    Post(marker);
    Post(WM_APP + 10);
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(okAloneX, answerY));
    Post(WM_RBUTTONDOWN, 0, MAKELPARAM(okAloneX, answerY));
    Post(WM_RBUTTONUP, 0, MAKELPARAM(okAloneX, answerY));
    Step();
    EXPECT_TRUE(open) << "the empty field was refused with the left button held";
    EXPECT_FALSE(Manager().messageBoxOpen);
    EXPECT_TRUE(inputState.leftButton) << "the left button is still held";
    EXPECT_FALSE(platform_testing::MouseCaptured())
        << "releasing either button releases the capture, as the window procedure does";
    EXPECT_EQ(std::vector<float>(viewer->camera.eye, viewer->camera.eye + 3), eyeBefore)
        << "the camera stood still while the box was open";

    Post(WM_MOUSEMOVE, 0, MAKELPARAM(-300, -200));
    Post(WM_LBUTTONUP, 0, MAKELPARAM(-300, -200));
    Step(2);
    EXPECT_FALSE(inputState.leftButton);
    ExpectInvariants("after the drag across the box ended outside the window");
}

TEST_F(HostileInputTest, AQuitWhileAMessageBoxIsOpenEndsTheProgramWithZeroAndFreesOnce) {
    Generate(L"4");
    OnMarker([] { PostMessageW(mainWindow, WM_CLOSE, 0, 0); });
    PostFieldText(L"9");
    PostClick(buttonX, buttonY);
    Post(marker);
    PresentFrame();
    int exitCode = -1;
    EXPECT_FALSE(DrainMessages(&exitCode)) << "the quit taken by the box's loop reaches the main loop";
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(IsWindow(mainWindow));
    EXPECT_FALSE(Manager().messageBoxOpen);
    EXPECT_EQ(Manager().messageBox, nullptr);
    EXPECT_EQ(viewer->model.dimension, 4) << "the refusal did not touch the model";
    // The fixture's teardown now deletes the AppContext with the screen and its 4-cube, once.
}

TEST_F(HostileInputTest, LosingTheFocusDuringADragStopsTheOrbitUntilTheButtonIsPressedAgain) {
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(400, 400));
    Post(WM_LBUTTONDOWN, 0, MAKELPARAM(400, 400));
    Step();
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(450, 380));
    Step(2);
    const std::vector<float> eyeAtPause(viewer->camera.eye, viewer->camera.eye + 3);
    ASSERT_NE(eyeAtPause[0], 0.0f) << "the drag has turned the camera";

    Post(WM_ACTIVATEAPP, 0);
    Post(WM_KILLFOCUS);
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(-500, 900));
    Step(3);
    EXPECT_TRUE(inputState.paused);
    EXPECT_EQ(inputState.mouseX, -500) << "moves are recorded while paused";
    Post(WM_LBUTTONUP, 0, MAKELPARAM(-500, 900));
    Step();
    EXPECT_FALSE(inputState.leftButton);
    EXPECT_FALSE(platform_testing::MouseCaptured());
    EXPECT_EQ(std::vector<float>(viewer->camera.eye, viewer->camera.eye + 3), eyeAtPause)
        << "nothing turns while paused";

    Post(WM_ACTIVATEAPP, 1);
    Step(2);
    EXPECT_EQ(std::vector<float>(viewer->camera.eye, viewer->camera.eye + 3), eyeAtPause)
        << "the button was released while paused, so the jump of the pointer turns nothing";
    ExpectInvariants("after the interrupted drag");
}

TEST_F(HostileInputTest, TenThousandWheelNotchesEachWayStopAtTheZoomLimits) {
    Generate(L"6");
    for (int i = 0; i < 10000; ++i)
        Post(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
    Step();
    EXPECT_GE(CameraDistance(), 99.0f);
    EXPECT_LE(CameraDistance(), 100.0f);
    ExpectInvariants("after 10,000 notches forwards");
    for (int i = 0; i < 10000; ++i)
        Post(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)));
    Step();
    EXPECT_GE(CameraDistance(), 300.0f);
    EXPECT_LE(CameraDistance(), 306.0f);
    ExpectInvariants("after 10,000 notches backwards");
}

} // namespace
