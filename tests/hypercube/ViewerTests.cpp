// The whole program in the test process: the real window, AppContext, InitScene and frame step,
// driven only by posted window messages and the manual clock, checked through its state and the
// pixels of the frames it draws.
#include "tests/support/AppFixture.h"
#include "tests/support/GlTestContext.h"

#include "gui/QV_CheckBox.h"
#include "gui/QV_Label.h"
#include "gui/QV_MessageBox.h"
#include "gui/QV_TextBox.h"
#include "gui/TextTexture.h"
#include "hypercube/CTessary.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

// Centres of the controls, from the panel layout.
constexpr int fieldX = 200, fieldY = 25;
constexpr int buttonX = 924, buttonY = 35;
constexpr int checkBoxX = 410, checkBoxY = 28;
constexpr int okAloneX = 512, okWithCancelX = 452, cancelX = 572, answerY = 399;

void MaybeSaveFrame(const Frame& frame, const char* name) {
    if (const char* dir = std::getenv("TESSARY_SAVE_FRAMES"))
        WritePng(frame, std::string(dir) + "/" + name + ".png");
}

class ViewerTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(InitScene());
        viewer = static_cast<CTessary*>(Manager().ActiveScreen());
        ASSERT_NE(viewer, nullptr);
    }
    void TearDown() override {
        platform_testing::SetDispatchHook(nullptr);
        AppFixture::TearDown();
    }

    void Step(int frames = 1) {
        for (int i = 0; i < frames; ++i)
            ASSERT_TRUE(FrameStep()) << "the program quit unexpectedly";
    }
    static void PostClick(int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
        Post(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        Post(down, 0, MAKELPARAM(x, y));
        Post(up, 0, MAKELPARAM(x, y));
    }
    // Replaces the field's contents with `text` as a user would: click, Backspace, type.
    void PostFieldText(const wchar_t* text) {
        PostClick(fieldX, fieldY);
        for (size_t i = 0; i < viewer->dimensionBox->text.size() + 2; ++i)
            Post(WM_CHAR, VK_BACK);
        for (const wchar_t* c = text; *c; ++c)
            Post(WM_CHAR, static_cast<WPARAM>(*c));
    }
    void Generate(const wchar_t* text) {
        PostFieldText(text);
        PostClick(buttonX, buttonY);
        Step();
    }
    // The frame as the program draws it now (drawn again into the back buffer to be read).
    Frame CurrentFrame() {
        DrawFrame();
        return ReadFrame();
    }

    CTessary* viewer = nullptr;
};

TEST_F(ViewerTest, StartsWithAnEmptyFieldNoFocusWireframeCheckedAndNoHypercube) {
    EXPECT_TRUE(viewer->wireframeBox->checked);
    EXPECT_TRUE(viewer->dimensionBox->text.empty());
    EXPECT_EQ(viewer->focus, nullptr);
    EXPECT_FALSE(viewer->model.built);
    Post(WM_CHAR, '5');
    Step();
    EXPECT_TRUE(viewer->dimensionBox->text.empty()) << "typed digits go nowhere before the field is clicked";

    Frame frame = CurrentFrame();
    MaybeSaveFrame(frame, "start-screen");
    for (int y = 100; y < 650; y += 7)
        for (int x = 0; x < 1024; x += 7)
            ASSERT_TRUE(PixelNear(frame, x, y, 0, 0, 0)) << "the 3-D area is black at " << x << "," << y;
}

TEST_F(ViewerTest, TypingFourAndPressingTheButtonBuildsTheFourCube) {
    Generate(L"4");
    EXPECT_EQ(viewer->dimensionBox->text, L"4");
    ASSERT_TRUE(viewer->model.built);
    EXPECT_EQ(viewer->model.dimension, 4);
    EXPECT_EQ(viewer->model.vertexCount, 16);
    EXPECT_EQ(viewer->model.edgeCount, 32);
    EXPECT_EQ(viewer->model.faceCount, 24);
    MaybeSaveFrame(CurrentFrame(), "four-cube-wireframe");
}

TEST_F(ViewerTest, DimensionTextIsReadAsADecimalNumberThatCannotOverflow) {
    EXPECT_EQ(CTessary::ReadDimension(L"03"), 3);
    EXPECT_EQ(CTessary::ReadDimension(L""), 0);
    EXPECT_EQ(CTessary::ReadDimension(L"8x"), 8);
    EXPECT_EQ(CTessary::ReadDimension(L"99999999999"), INT_MAX);
    EXPECT_EQ(CTessary::ReadDimension(L"4294967299"), INT_MAX) << "must not wrap around to 3";
    EXPECT_EQ(CTessary::ReadDimension(L"-1"), -1);

    Generate(L"03");
    EXPECT_EQ(viewer->model.dimension, 3) << "\"03\" counts as 3";
}

// Projects a model point to window pixels (y downwards) through the start-up camera and projection.
void Project(const float p[3], double& px, double& py) {
    GLdouble modelView[16], projection[16];
    GLint viewport[4] = {0, 0, 1024, 768};
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(50, 4.0 / 3.0, 1, 3e7);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(0, 0, 150, 0, 0, 0, 0, 1, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glPopMatrix();
    GLdouble wx, wy, wz;
    gluProject(p[0], p[1], p[2], modelView, projection, viewport, &wx, &wy, &wz);
    px = wx;
    py = 768 - wy;
}

TEST_F(ViewerTest, TheThreeCubeAppearsWhereTheCameraAndProjectionPutIt) {
    Generate(L"3");
    Frame frame = CurrentFrame();
    MaybeSaveFrame(frame, "three-cube");

    // Expected extents of the front (z = +25) and back (z = -25) squares.
    const float frontLow[3] = {-25, 25, 25}, frontHigh[3] = {25, -25, 25};
    const float backLow[3] = {-25, 25, -25}, backHigh[3] = {25, -25, -25};
    double fx0, fy0, fx1, fy1, bx0, by0, bx1, by1;
    Project(frontLow, fx0, fy0);
    Project(frontHigh, fx1, fy1);
    Project(backLow, bx0, by0);
    Project(backHigh, bx1, by1);

    // The lit pixels of the 3-D area span exactly the front square.
    int minX = 1024, maxX = -1, minY = 768, maxY = -1;
    for (int y = 100; y < 680; ++y)
        for (int x = 0; x < 1024; ++x)
            if (frame.At(x, y)[0] > 128) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    EXPECT_NEAR(minX, fx0, 3);
    EXPECT_NEAR(maxX, fx1, 3);
    EXPECT_NEAR(minY, fy0, 3);
    EXPECT_NEAR(maxY, fy1, 3);

    // The back square's sides are white; the centre of the view is black.
    const int midX = static_cast<int>(std::lround((bx0 + bx1) / 2));
    EXPECT_TRUE(PixelNear(frame, midX, static_cast<int>(std::lround(by0)), 255, 255, 255, 40));
    EXPECT_TRUE(PixelNear(frame, static_cast<int>(std::lround(bx0)), 384, 255, 255, 255, 40));
    EXPECT_TRUE(PixelNear(frame, midX, 384, 0, 0, 0));
}

TEST_F(ViewerTest, HoldingTwoDigitKeysRotatesByElapsedTime) {
    Generate(L"3");
    Post(WM_KEYDOWN, '1');
    Post(WM_KEYDOWN, '0');
    Step(); // the keys are taken after this frame's update
    platform_testing::AdvanceTicks(250);
    Step(); // rotates by 250 ms x 0.0016 rad/ms
    Post(WM_KEYUP, '0');
    Post(WM_KEYUP, '1');
    Step();
    platform_testing::AdvanceTicks(1000);
    Step(); // nothing held: nothing turns

    const float angle = 250 * 0.0016f;
    const float c = std::cos(angle), s = std::sin(angle);
    const float* v1 = viewer->model.vertices + 1 * viewer->model.dimension;
    EXPECT_NEAR(v1[0], c * 25 - s * -25, 1e-3);
    EXPECT_NEAR(v1[1], s * 25 + c * -25, 1e-3);
    EXPECT_NEAR(v1[2], -25, 1e-5) << "the third axis is not in the plane";
}

// A new user reads the keys off the first help line: on a 4-cube, the digit it names for an axis,
// held with the digit it names for another, must move that axis. All three lines fit the window.
TEST_F(ViewerTest, TheHelpLinesFitTheWindowAndTheFirstNamesTheDigitThatTurnsEachAxis) {
    for (QV_Label* help : viewer->helpLabels)
        EXPECT_LE(help->x + help->texture->textWidth, 1024) << "help line at y " << help->y;
    const std::wstring& line = viewer->helpLabels[0]->text;
    const wchar_t axes[] = {L'X', L'Y', L'Z', L'W'};
    for (int axis = 0; axis < 4; ++axis) {
        const size_t at = line.find(std::wstring(L"控制坐标") + axes[axis]);
        ASSERT_TRUE(at != std::wstring::npos && at > 0) << "the line names axis " << char(axes[axis]);
        const WPARAM key = line[at - 1], partner = axis == 0 ? '1' : '0';
        Generate(L"4");
        const float before = viewer->model.vertices[1 * 4 + axis];
        Post(WM_KEYDOWN, key);
        Post(WM_KEYDOWN, partner);
        Step();
        platform_testing::AdvanceTicks(250);
        Step();
        Post(WM_KEYUP, key);
        Post(WM_KEYUP, partner);
        Step();
        EXPECT_GT(std::fabs(viewer->model.vertices[1 * 4 + axis] - before), 1.0f)
            << "holding " << char(key) << " and " << char(partner) << ", as the line says, leaves axis "
            << char(axes[axis]) << " of vertex 1 at " << before;
    }
}

TEST_F(ViewerTest, LeftDragOrbitsTheCameraAndTheRightButtonDoesNot) {
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(500, 400));
    Post(WM_RBUTTONDOWN, 0, MAKELPARAM(500, 400));
    Step(2);
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(600, 400));
    Step(2);
    EXPECT_FLOAT_EQ(viewer->camera.eye[0], 0.0f) << "a right-button drag does not orbit";
    Post(WM_RBUTTONUP, 0, MAKELPARAM(600, 400));
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(500, 400));
    Step(2); // moving without the left button held turns nothing either
    EXPECT_FLOAT_EQ(viewer->camera.eye[0], 0.0f);
    Post(WM_LBUTTONDOWN, 0, MAKELPARAM(500, 400));
    Step(2);
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(600, 400));
    Step(2);
    // 100 pixels to the right yaw the eye by 0.2 rad towards +x.
    EXPECT_NEAR(viewer->camera.eye[0], 150 * std::sin(0.2), 1e-3);
    EXPECT_NEAR(viewer->camera.eye[1], 0, 1e-4);
    EXPECT_NEAR(viewer->camera.eye[2], 150 * std::cos(0.2), 1e-3);
    Post(WM_LBUTTONUP, 0, MAKELPARAM(600, 400));
    Step();
}

TEST_F(ViewerTest, TheWheelZoomsByTwoPointFourPercentPerNotchWithinTheLimits) {
    Post(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)));
    Step();
    EXPECT_NEAR(viewer->camera.eye[2], 153.6, 1e-3);
}

TEST_F(ViewerTest, ForwardNotchesStopJustInsideTheNearLimit) {
    for (int i = 0; i < 200; ++i)
        Post(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
    Step();
    EXPECT_NEAR(viewer->camera.eye[2], 99.25, 0.1) << "forward notches stop just inside the near limit";
}

// Runs `check` when the marker message is dispatched, which happens inside the modal loop when the
// marker is posted after the click that opens the message box.
constexpr UINT marker = WM_APP + 7;
void OnMarker(std::function<void()> check) {
    platform_testing::SetDispatchHook([check](const MSG& message) {
        if (message.message == marker)
            check();
    });
}

TEST_F(ViewerTest, NineAsksForAValidDimensionOverADimmedSceneAndOkLeavesTheModelAlone) {
    Generate(L"3");
    Frame before = CurrentFrame();
    std::vector<float> vertices(viewer->model.vertices, viewer->model.vertices + 24);

    bool wasOpen = false;
    Frame during;
    OnMarker([&] {
        wasOpen = Manager().messageBoxOpen;
        during = CurrentFrame();
    });
    PostFieldText(L"9");
    PostClick(buttonX, buttonY);
    Post(marker);
    PostClick(okAloneX, answerY);
    Step();
    MaybeSaveFrame(during, "message-box-nine");

    ASSERT_TRUE(wasOpen) << "the box was open while its loop ran";
    EXPECT_FALSE(Manager().messageBoxOpen);
    EXPECT_EQ(Manager().messageBox, nullptr);
    EXPECT_EQ(viewer->model.dimension, 3);
    EXPECT_EQ(std::vector<float>(viewer->model.vertices, viewer->model.vertices + 24), vertices);

    // The scene under the box is dimmed to a quarter: look at the cube's lit pixels.
    int compared = 0;
    for (int y = 150; y < 270; ++y)
        for (int x = 300; x < 720; ++x)
            if (before.At(x, y)[0] > 200) {
                ++compared;
                ASSERT_NEAR(during.At(x, y)[0], before.At(x, y)[0] / 4, 3) << x << "," << y;
            }
    EXPECT_GT(compared, 50);

    // Yellow text centred across the window, starting at y 284.
    int minX = 1024, maxX = -1, minY = 768;
    for (int y = 250; y < 380; ++y)
        for (int x = 0; x < 1024; ++x) {
            const uint8_t* p = during.At(x, y);
            if (p[0] > 150 && p[1] > 150 && p[2] < 80) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
            }
        }
    ASSERT_LT(minX, maxX) << "yellow message text";
    EXPECT_NEAR((minX + maxX) / 2.0, 512, 12);
    EXPECT_GE(minY, 284);
    EXPECT_LE(minY, 292);

    // One button, centred: its blue outline is there, and nothing where Cancel would be.
    auto blueIn = [&](int x0, int x1) {
        int n = 0;
        for (int y = 380; y < 420; ++y)
            for (int x = x0; x < x1; ++x)
                n += during.At(x, y)[2] > 150 && during.At(x, y)[0] < 80;
        return n;
    };
    EXPECT_GT(blueIn(470, 555), 50);
    EXPECT_EQ(blueIn(560, 620), 0);
}

TEST_F(ViewerTest, EmptyAndTwoAreRefusedWithTheSameMessage) {
    for (const wchar_t* text : {L"", L"2"}) {
        bool wasOpen = false;
        OnMarker([&] { wasOpen = Manager().messageBoxOpen; });
        PostFieldText(text);
        PostClick(buttonX, buttonY);
        Post(marker);
        PostClick(okAloneX, answerY);
        Step();
        EXPECT_TRUE(wasOpen) << "text \"" << (*text ? "2" : "") << "\"";
        EXPECT_FALSE(viewer->model.built);
    }
}

// What the generate button asked, seen from inside the modal loop: nothing, or the box's text and
// whether it offered Cancel. The chosen answer is posted behind the marker, then OK alone and Cancel,
// so that a box of either layout is closed and the step never waits; a click that finds no box lands
// in the 3-D area, where it does nothing.
struct Question {
    bool asked = false;
    bool withCancel = false;
    std::wstring text;
};

class GenerateQuestionTest : public ViewerTest {
protected:
    Question PressGenerate(const wchar_t* dimension, int answerX) {
        Question question;
        OnMarker([&] {
            if (!Manager().messageBoxOpen)
                return;
            question.asked = true;
            question.withCancel = Manager().messageBox->cancelButton != nullptr;
            if (auto* label = dynamic_cast<QV_Label*>(Manager().messageBox->firstChild->child))
                question.text = label->text;
        });
        PostFieldText(dimension);
        PostClick(buttonX, buttonY);
        Post(marker);
        for (int x : {answerX, okAloneX, cancelX})
            PostClick(x, answerY);
        Step();
        return question;
    }
};

TEST_F(GenerateQuestionTest, SixIsBuiltAtOnceWithoutAQuestion) {
    const Question question = PressGenerate(L"6", cancelX);
    EXPECT_FALSE(question.asked) << "a box opened with Cancel " << question.withCancel;
    ASSERT_TRUE(viewer->model.built);
    EXPECT_EQ(viewer->model.dimension, 6);
}

TEST_F(GenerateQuestionTest, EightAsksWithOkAndCancelAndOkBuildsIt) {
    const Question question = PressGenerate(L"8", okWithCancelX);
    EXPECT_TRUE(question.asked);
    EXPECT_TRUE(question.withCancel);
    EXPECT_EQ(question.text, L"大于6的维度可能会渲染较慢，真的要试试？");
    ASSERT_TRUE(viewer->model.built);
    EXPECT_EQ(viewer->model.dimension, 8);
    EXPECT_EQ(viewer->model.vertexCount, 256);
}

TEST_F(GenerateQuestionTest, CancellingEightBeforeAnyCubeWasBuiltKeepsNone) {
    const Question question = PressGenerate(L"8", cancelX);
    EXPECT_TRUE(question.asked);
    EXPECT_TRUE(question.withCancel);
    EXPECT_FALSE(viewer->model.built) << "dimension " << viewer->model.dimension;
    EXPECT_EQ(viewer->model.faceLabels.Count(), 0) << "no labels were made for a cube nobody asked for";
    const Frame frame = CurrentFrame();
    int lit = 0;
    for (int y = 100; y < 650; y += 5)
        for (int x = 0; x < 1024; x += 5)
            lit += !PixelNear(frame, x, y, 0, 0, 0);
    EXPECT_EQ(lit, 0) << "pixels drawn in the 3-D area";
}

TEST_F(ViewerTest, SevenAsksFirstAndCancelKeepsThePreviousCube) {
    Generate(L"4");
    std::vector<float> vertices(viewer->model.vertices, viewer->model.vertices + 64);
    PostFieldText(L"7");
    PostClick(buttonX, buttonY);
    PostClick(cancelX, answerY);
    Step();
    EXPECT_EQ(viewer->model.dimension, 4);
    EXPECT_EQ(std::vector<float>(viewer->model.vertices, viewer->model.vertices + 64), vertices);

    PostClick(buttonX, buttonY);
    PostClick(okWithCancelX, answerY);
    Step();
    EXPECT_EQ(viewer->model.dimension, 7);
    EXPECT_EQ(viewer->model.faceCount, 672);
}

TEST_F(ViewerTest, FacesModeDrawsTheBackFaceFirstAndTheFrontFaceLast) {
    Generate(L"3");
    PostClick(checkBoxX, checkBoxY);
    Step(2); // the click is taken after the first frame; the second draws the faces
    ASSERT_FALSE(viewer->wireframeBox->checked);
    EXPECT_EQ(viewer->model.drawOrder[0], 0) << "face 0 lies at z = -25, farthest from the eye";
    EXPECT_EQ(viewer->model.drawOrder[5], 1) << "face 1 lies at z = +25, nearest";
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    MaybeSaveFrame(CurrentFrame(), "three-cube-faces");
}

TEST_F(ViewerTest, ARotatedFiveCubeInFacesModeShowsTintedTranslucentSquares) {
    Generate(L"5");
    PostClick(checkBoxX, checkBoxY);
    Post(WM_KEYDOWN, '0');
    Post(WM_KEYDOWN, '3');
    Step();
    platform_testing::AdvanceTicks(400);
    Step();
    Post(WM_KEYUP, '0');
    Post(WM_KEYUP, '3');
    Post(WM_KEYDOWN, '1');
    Post(WM_KEYDOWN, '4');
    Step();
    platform_testing::AdvanceTicks(300);
    Step();
    Post(WM_KEYUP, '1');
    Post(WM_KEYUP, '4');
    // Orbit a little so the picture is seen at an angle.
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(500, 400));
    Step();
    Post(WM_LBUTTONDOWN, 0, MAKELPARAM(500, 400));
    Step();
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(760, 260));
    Step(2);
    Post(WM_LBUTTONUP, 0, MAKELPARAM(760, 260));
    Step();
    Frame frame = CurrentFrame();
    MaybeSaveFrame(frame, "five-cube-faces-rotated");

    // The hidden axes have turned into view: vertex 0 no longer projects onto the cube's corner.
    const float* v0 = viewer->model.vertices;
    EXPECT_NE(v0[0], -25.0f);
    EXPECT_NE(v0[1], -25.0f);
    // Translucent squares tint the 3-D area: the face colours are never grey.
    int tinted = 0;
    for (int y = 120; y < 650; y += 3)
        for (int x = 200; x < 820; x += 3) {
            const uint8_t* p = frame.At(x, y);
            int spread = std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]});
            tinted += spread > 6;
        }
    EXPECT_GT(tinted, 1000);
}

TEST_F(ViewerTest, EscapeEndsTheProgramAlsoWhileTheFieldHasTheFocus) {
    PostFieldText(L"5");
    Step();
    ASSERT_EQ(viewer->focus, viewer->dimensionBox);
    Post(WM_KEYDOWN, VK_LEFT);
    Post(WM_KEYDOWN, 'A');
    Step();
    EXPECT_EQ(viewer->dimensionBox->caret, 1) << "key-downs never reach the field on this screen";
    Post(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(FrameStep()) << "Escape posts WM_CLOSE, which quits";
    EXPECT_FALSE(IsWindow(mainWindow));
}

// The inside of the entry field in the frame drawn now.
std::vector<uint8_t> FieldPixels(const Frame& frame) {
    std::vector<uint8_t> pixels;
    for (int y = 17; y < 33; ++y)
        for (int x = 162; x < 258; ++x)
            pixels.insert(pixels.end(), frame.At(x, y), frame.At(x, y) + 3);
    return pixels;
}

TEST_F(ViewerTest, DeletingWhatScrolledTheFieldShowsTheHiddenDigitsAgain) {
    // A 1 and thirteen more digits: one more than the field shows, so the 1 scrolls out of view.
    PostFieldText(L"12345678901234");
    Step();
    QV_TextBox* field = viewer->dimensionBox;
    ASSERT_EQ(field->scroll, 1) << "the field should show thirteen digits";
    for (int i = 0; i < 13; ++i)
        Post(WM_CHAR, VK_BACK);
    Step();
    EXPECT_EQ(field->text, L"1");
    EXPECT_EQ(field->scroll, 0) << "the 1 is still hidden";
    Post(WM_CHAR, '5');
    Step();
    ASSERT_EQ(field->text, L"15");
    const std::vector<uint8_t> shown = FieldPixels(CurrentFrame());
    MaybeSaveFrame(CurrentFrame(), "field-after-deleting");

    // The same field with "15" typed into it afresh.
    PostFieldText(L"15");
    Step();
    const std::vector<uint8_t> typed = FieldPixels(CurrentFrame());
    int differing = 0;
    for (size_t i = 0; i < shown.size(); ++i)
        differing += std::abs(shown[i] - typed[i]) > 3;
    EXPECT_EQ(differing, 0) << "channels that differ from a field into which \"15\" was typed";
}

TEST_F(ViewerTest, RebuildingRestoresTheAxisAlignedCubeAndKeepsTheCamera) {
    Generate(L"3");
    Post(WM_KEYDOWN, '0');
    Post(WM_KEYDOWN, '2');
    Post(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
    Step();
    platform_testing::AdvanceTicks(500);
    Step();
    Post(WM_KEYUP, '0');
    Post(WM_KEYUP, '2');
    const float eyeZ = viewer->camera.eye[2];
    ASSERT_NE(viewer->model.vertices[1 * 3 + 2], -25.0f) << "the cube has turned";
    PostClick(buttonX, buttonY);
    Step();
    EXPECT_EQ(viewer->model.vertices[1 * 3 + 0], 25.0f);
    EXPECT_EQ(viewer->model.vertices[1 * 3 + 1], -25.0f);
    EXPECT_EQ(viewer->model.vertices[1 * 3 + 2], -25.0f);
    EXPECT_EQ(viewer->camera.eye[2], eyeZ);
}

} // namespace
