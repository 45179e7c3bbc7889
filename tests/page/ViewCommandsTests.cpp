// The view functions a host calls by name: they answer with the same text as --print-view, show a
// view only on a running screen with no message box open, and say why, and which kind of refusal,
// when they do not.
#include "tests/support/AppFixture.h"

#include "gui/QV_CheckBox.h"
#include "gui/QV_TextBox.h"
#include "hypercube/CTessary.h"
#include "hypercube/ViewText.h"
#include "page/ViewCommands.h"

#include <string>

namespace {

// A 5-cube with faces, turned in two planes, seen from below.
std::string TurnedFiveCube() {
    View view;
    view.dimension = 5;
    view.wireframe = false;
    view.TurnInPlane(0, 4, 0.5);
    view.TurnInPlane(1, 2, -1.2);
    view.eye[0] = 0.0f, view.eye[1] = -120.0f, view.eye[2] = 0.0f;
    view.up[0] = 0.0f, view.up[1] = 0.0f, view.up[2] = 1.0f;
    return ViewText::Format(view);
}

TEST(ViewCommandsWithoutAProgram, CaptureNothingAndSayWhetherTheViewWasReadable) {
    ASSERT_EQ(application, nullptr);
    std::string reason;
    View unused;
    ASSERT_FALSE(ViewText::Parse("v9.3w", &unused, &reason));
    EXPECT_EQ(std::string(tessary_apply_view("v9.3w")), "unreadable: " + reason) << "the parser's own reason";
    EXPECT_EQ(std::string(tessary_apply_view(TurnedFiveCube().c_str())),
              "not started: the program has not started yet");
    EXPECT_EQ(std::string(tessary_capture_view()), "");
}

class ViewCommandsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(InitScene());
    }
    CTessary& Viewer() { return *static_cast<CTessary*>(Manager().ActiveScreen()); }
};

TEST_F(ViewCommandsTest, AnAppliedViewIsShownAndCapturedBack) {
    EXPECT_EQ(std::string(tessary_capture_view()), ViewText::Format(View())) << "the view at start";

    const std::string text = TurnedFiveCube();
    ASSERT_EQ(std::string(tessary_apply_view(text.c_str())), "");
    EXPECT_EQ(Viewer().model.dimension, 5);
    EXPECT_EQ(Viewer().dimensionBox->text, L"5");
    EXPECT_FALSE(Viewer().wireframeBox->checked);

    // Turned on by held keys, the text taken from the screen, shown on it again, comes back
    // unchanged: a link opened and shared again is the same link.
    for (int frame = 0; frame < 3; ++frame) {
        if (frame == 0)
            Post(WM_KEYDOWN, '0'), Post(WM_KEYDOWN, '3');
        if (frame == 2)
            Post(WM_KEYUP, '0'), Post(WM_KEYUP, '3');
        platform_testing::AdvanceTicks(700);
        ASSERT_TRUE(FrameStep());
    }
    const std::string taken = tessary_capture_view();
    EXPECT_EQ(taken.substr(0, 42), text.substr(0, 42)) << "version, dimension, mode and camera";
    EXPECT_NE(taken, text) << "the keys turned the cube";
    ASSERT_EQ(std::string(tessary_apply_view(taken.c_str())), "");
    EXPECT_EQ(std::string(tessary_capture_view()), taken);
}

TEST_F(ViewCommandsTest, RefusalsSayWhyAndChangeNothing) {
    const std::string before = tessary_capture_view();
    const std::string text = TurnedFiveCube();

    const std::string truncated = tessary_apply_view(text.substr(0, 50).c_str());
    EXPECT_EQ(truncated.rfind("unreadable: ", 0), 0u) << truncated;
    EXPECT_NE(truncated.find("ends too early"), std::string::npos) << truncated;
    EXPECT_EQ(truncated.find('\n'), std::string::npos) << "one line: " << truncated;

    Manager().messageBoxOpen = true;
    const std::string boxOpen = tessary_apply_view(text.c_str());
    Manager().messageBoxOpen = false;
    EXPECT_EQ(boxOpen, "busy: a message box is open");

    EXPECT_EQ(std::string(tessary_capture_view()), before);
    EXPECT_FALSE(Viewer().model.built);
}

} // namespace
