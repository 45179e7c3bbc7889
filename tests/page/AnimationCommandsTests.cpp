// The animation functions a host calls by name: the way ends on the screen that opening the last
// view's text shows, peeking leaves the screen as it is, and refusals say why and change nothing.
#include "tests/support/AppFixture.h"

#include "hypercube/CTessary.h"
#include "hypercube/ViewText.h"
#include "page/AnimationCommands.h"
#include "page/ViewCommands.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A 5-cube with faces turned in two planes by `angle` and -2 `angle`, seen from below.
std::string FiveCube(double angle) {
    View view;
    view.dimension = 5;
    view.wireframe = false;
    for (const auto& [a, b, share] : {std::tuple{0, 4, 1.0}, std::tuple{1, 2, -2.0}})
        view.TurnInPlane(a, b, share * angle);
    const float belowEye[3] = {0.0f, -120.0f, 0.0f}, belowUp[3] = {0.0f, 0.0f, 1.0f};
    std::copy(belowEye, belowEye + 3, view.eye);
    std::copy(belowUp, belowUp + 3, view.up);
    return ViewText::Format(view);
}

TEST(AnimationCommandsWithoutAProgram, StartNothingAndSayWhy) {
    ASSERT_EQ(application, nullptr);
    std::string reason;
    View unused;
    ASSERT_FALSE(ViewText::Parse("v1.5f", &unused, &reason));
    EXPECT_EQ(std::string(tessary_animation_start("v1.5f")), "unreadable: " + reason);
    EXPECT_EQ(std::string(tessary_animation_start(FiveCube(0.5).c_str())),
              "not started: the program has not started yet");
    EXPECT_EQ(std::string(tessary_animation_step(0.5)), "not started: no animation is going");
    EXPECT_EQ(std::string(tessary_peek_view()), "");
}

class AnimationCommandsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(InitScene());
    }
    CTessary& Viewer() { return *static_cast<CTessary*>(Manager().ActiveScreen()); }
    std::vector<float> Vertices() {
        const HypercubeModel& model = Viewer().model;
        return std::vector<float>(model.vertices, model.vertices + model.vertexCount * model.dimension);
    }
};

TEST_F(AnimationCommandsTest, TheWayEndsOnWhatOpeningTheTextShows) {
    ASSERT_EQ(std::string(tessary_apply_view(FiveCube(0.3).c_str())), "");
    const std::string first = tessary_peek_view(), last = FiveCube(1.9);
    ASSERT_EQ(std::string(tessary_animation_start(last.c_str())), "");

    ASSERT_EQ(std::string(tessary_animation_step(0.5)), "");
    const std::string halfWay = tessary_peek_view();
    EXPECT_NE(halfWay, first);
    EXPECT_NE(halfWay, last);
    ASSERT_EQ(std::string(tessary_animation_step(1.0)), "");
    const std::string ended = tessary_peek_view();
    EXPECT_EQ(std::string(tessary_animation_step(1.0)), "not started: no animation is going")
        << "the animation is over";

    ASSERT_EQ(std::string(tessary_apply_view(last.c_str())), "");
    EXPECT_EQ(ended, std::string(tessary_peek_view())) << "the screen the link shows";
    EXPECT_EQ(std::string(tessary_capture_view()), last);
}

TEST_F(AnimationCommandsTest, PeekingLeavesTheVerticesAsTheyAre) {
    ASSERT_EQ(std::string(tessary_apply_view(FiveCube(0.7).c_str())), "");
    // Held keys turn the vertices by a rotation no short text carries exactly.
    Post(WM_KEYDOWN, '1'), Post(WM_KEYDOWN, '3');
    ASSERT_TRUE(FrameStep());
    platform_testing::AdvanceTicks(437);
    ASSERT_TRUE(FrameStep());
    Post(WM_KEYUP, '1'), Post(WM_KEYUP, '3');
    ASSERT_TRUE(FrameStep());
    const std::vector<float> before = Vertices();
    const std::string peeked = tessary_peek_view();
    EXPECT_EQ(Vertices(), before);
    EXPECT_EQ(peeked.substr(0, 6), "v1.5f.") << peeked;
    EXPECT_NE(peeked, FiveCube(0.7)) << "the keys turned the cube";
}

TEST_F(AnimationCommandsTest, RefusalsSayWhyAndChangeNothing) {
    ASSERT_EQ(std::string(tessary_apply_view(FiveCube(0.3).c_str())), "");
    const std::string shown = tessary_peek_view();
    ASSERT_EQ(std::string(tessary_animation_start(FiveCube(1.0).c_str())), "");

    const std::string truncated = tessary_animation_start(FiveCube(2.0).substr(0, 50).c_str());
    EXPECT_EQ(truncated.rfind("unreadable: ", 0), 0u) << truncated;
    EXPECT_EQ(std::string(tessary_peek_view()), shown);

    Manager().messageBoxOpen = true;
    const std::string startBusy = tessary_animation_start(FiveCube(2.0).c_str());
    const std::string stepBusy = tessary_animation_step(0.5);
    Manager().messageBoxOpen = false;
    EXPECT_EQ(startBusy, "busy: a message box is open");
    EXPECT_EQ(stepBusy, "busy: a message box is open");
    EXPECT_EQ(std::string(tessary_peek_view()), shown);
    EXPECT_EQ(std::string(tessary_animation_step(0.5)), "not started: no animation is going")
        << "dropped while busy";
}

} // namespace
