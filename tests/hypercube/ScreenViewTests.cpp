// Views taken from the running program and put onto a fresh one: the same frame comes back.
#include "tests/support/AppFixture.h"
#include "tests/support/GlTestContext.h"

#include "gui/QV_CheckBox.h"
#include "gui/QV_TextBox.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class ScreenViewTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(InitScene());
    }
    CTessary* Viewer() { return static_cast<CTessary*>(Manager().ActiveScreen()); }
    void Step(int frames = 1) {
        for (int i = 0; i < frames; ++i)
            ASSERT_TRUE(FrameStep()) << "the program quit unexpectedly";
    }
    // Holds two digit keys (and Shift) for `ms` milliseconds, as the user turns the cube.
    void Turn(char a, char b, bool shift, int ms) {
        if (shift)
            Post(WM_KEYDOWN, VK_SHIFT);
        Post(WM_KEYDOWN, a);
        Post(WM_KEYDOWN, b);
        Step();
        platform_testing::AdvanceTicks(ms);
        Step();
        Post(WM_KEYUP, a);
        Post(WM_KEYUP, b);
        if (shift)
            Post(WM_KEYUP, VK_SHIFT);
        Step();
    }
    void Orbit(int dx, int dy, int wheelNotches) {
        Post(WM_MOUSEMOVE, 0, MAKELPARAM(500, 400));
        Post(WM_LBUTTONDOWN, 0, MAKELPARAM(500, 400));
        Step();
        Post(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500 + dx, 400 + dy));
        Step();
        Post(WM_LBUTTONUP, 0, MAKELPARAM(500 + dx, 400 + dy));
        for (int i = 0; i < std::abs(wheelNotches); ++i)
            Post(WM_MOUSEWHEEL,
                 MAKEWPARAM(0, static_cast<WORD>(wheelNotches > 0 ? WHEEL_DELTA : -WHEEL_DELTA)));
        Step();
    }
    // Puts a new hypercube screen in place of the active one, as a program that has just started.
    CTessary* FreshScreen() {
        delete Manager().screens[0];
        Manager().screens[0] = new CTessary(); // owned by the manager
        return Viewer();
    }
    Frame CurrentFrame() {
        DrawFrame();
        return ReadFrame();
    }
};

// Pixels of the two frames whose channels differ by more than 3, outside the frame counter's
// corner (its text follows the frame rate, not the view).
int DifferingPixels(const Frame& a, const Frame& b) {
    int differing = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            if (x < 60 && y < 16)
                continue;
            for (int c = 0; c < 3; ++c)
                if (std::abs(a.At(x, y)[c] - b.At(x, y)[c]) > 3) {
                    ++differing;
                    break;
                }
        }
    return differing;
}

TEST_F(ScreenViewTest, ACapturedViewAppliedToAFreshProgramDrawsTheSameFrame) {
    for (int n = 3; n <= 8; ++n) {
        View start;
        start.dimension = n;
        ASSERT_TRUE(ScreenView::Apply(*Viewer(), start, nullptr));
        Turn('0', '1', false, 300 + 40 * n);
        Turn('2', static_cast<char>('0' + n - 1), true, 500);
        Turn('1', static_cast<char>('0' + n - 1), false, 900);
        Orbit(40 + 7 * n, -30, n % 2 ? 2 : -3);
        for (bool wireframe : {true, false}) {
            Viewer()->wireframeBox->checked = wireframe;
            const std::vector<float> turned(Viewer()->model.vertices,
                                            Viewer()->model.vertices + Viewer()->model.vertexCount * n);
            const std::string text = ViewText::Format(ScreenView::Settle(*Viewer()));
            float moved = 0.0f;
            for (size_t i = 0; i < turned.size(); ++i)
                moved = std::max(moved, std::fabs(turned[i] - Viewer()->model.vertices[i]));
            EXPECT_LT(moved, 1e-3f) << n << "-cube: settling moved a vertex by " << moved;
            const Frame before = CurrentFrame();
            View view;
            std::string reason;
            ASSERT_TRUE(ViewText::Parse(text, &view, &reason)) << reason << " in " << text;
            ASSERT_TRUE(ScreenView::Apply(*FreshScreen(), view, &reason)) << reason;
            const Frame after = CurrentFrame();
            EXPECT_EQ(DifferingPixels(before, after), 0)
                << n << "-cube, " << (wireframe ? "wireframe" : "faces") << ", view " << text;
            if (const char* dir = std::getenv("TESSARY_SAVE_FRAMES"))
                WritePng(after, std::string(dir) + "/view-round-trip-" + std::to_string(n) +
                                    (wireframe ? "w" : "f") + ".png");
        }
    }
}

TEST_F(ScreenViewTest, ApplyingAViewBuildsTurnsTypesChecksAndPlacesTheCamera) {
    View view;
    view.dimension = 5;
    view.wireframe = false;
    view.TurnInPlane(0, 4, 0.5);
    view.eye[0] = 0.0f, view.eye[1] = -120.0f, view.eye[2] = 0.0f;
    view.up[0] = 0.0f, view.up[1] = 0.0f, view.up[2] = 1.0f;
    // A 4-cube stands, and the camera looks past the origin, as no user can make it look.
    Viewer()->BuildModel(4);
    Viewer()->camera.target[0] = 7.0f;
    std::string reason;
    ASSERT_TRUE(ScreenView::Apply(*Viewer(), view, &reason)) << reason;
    CTessary& screen = *Viewer();
    EXPECT_TRUE(screen.model.built);
    EXPECT_EQ(screen.model.dimension, 5) << "the 4-cube is rebuilt as the view's 5-cube";
    EXPECT_EQ(screen.model.vertexCount, 32);
    EXPECT_EQ(screen.camera.target[0], 0.0f) << "the camera looks at the origin again";
    EXPECT_EQ(screen.dimensionBox->text, L"5");
    EXPECT_EQ(screen.dimensionBox->caret, 1);
    EXPECT_FALSE(screen.wireframeBox->checked);
    EXPECT_EQ(screen.camera.eye[1], -120.0f);
    EXPECT_EQ(screen.camera.up[2], 1.0f);
    // Vertex 16 is (-25, -25, -25, -25, +25) turned by 0.5 rad from axis 0 towards axis 4.
    const float* v16 = screen.model.Vertex(16);
    const double c = std::cos(0.5), s = std::sin(0.5);
    EXPECT_NEAR(v16[0], c * -25 - s * 25, 1e-4);
    EXPECT_NEAR(v16[4], s * -25 + c * 25, 1e-4);
    EXPECT_NEAR(v16[1], -25, 1e-5);

    View none;
    ASSERT_TRUE(ScreenView::Apply(screen, none, &reason)) << reason;
    EXPECT_FALSE(screen.model.built) << "dimension 0: nothing built";
    EXPECT_TRUE(screen.dimensionBox->text.empty());
    EXPECT_TRUE(screen.wireframeBox->checked);
}

// Huge wheel steps can throw the eye beyond the limits a view may have; the view taken then has its
// eye on the nearest limit, in the same direction, and is one the program shows.
TEST_F(ScreenViewTest, AnEyeBeyondTheZoomLimitsIsCapturedOnTheLimit) {
    const struct {
        float z;
        double expected;
    } cases[] = {{1e7f, FarthestViewDistance()}, {1e-3f, NearestViewDistance()}};
    for (const auto& c : cases) {
        CTessary& screen = *Viewer();
        screen.camera.eye[0] = 0.0f, screen.camera.eye[1] = 0.0f, screen.camera.eye[2] = c.z;
        const View view = ScreenView::Capture(screen);
        EXPECT_NEAR(view.eye[2], c.expected, c.expected * 1e-6) << "eye at z = " << c.z;
        EXPECT_EQ(view.eye[0], 0.0f);
        View copy = view;
        std::string reason;
        EXPECT_TRUE(copy.Check(&reason)) << "eye at z = " << c.z << ": " << reason;
    }
}

TEST_F(ScreenViewTest, NoViewIsAppliedWhileAMessageBoxIsOpen) {
    View view;
    view.dimension = 4;
    Manager().messageBoxOpen = true;
    std::string reason;
    EXPECT_FALSE(ScreenView::Apply(*Viewer(), view, &reason));
    Manager().messageBoxOpen = false;
    EXPECT_NE(reason.find("message box"), std::string::npos) << reason;
    EXPECT_FALSE(Viewer()->model.built);
    EXPECT_TRUE(Viewer()->dimensionBox->text.empty());
}

} // namespace
