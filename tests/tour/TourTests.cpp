// Tours as --print-frames lists them (Tour::Line is the line it prints): how many frames, at what
// pace, in which step, ending where, and what a tour that cannot be read or timed is told.
#include "hypercube/ViewText.h"
#include "tour/Tour.h"
#include "tour/TourReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A 4-cube with faces, turned off its axes and seen from the side.
CheckedView StartView() {
    View view;
    view.dimension = 4;
    view.wireframe = false;
    view.fogged = true;
    view.TurnInPlane(0, 3, 0.5);
    view.TurnInPlane(1, 2, -0.3);
    view.eye[0] = 40.0f, view.eye[1] = 30.0f, view.eye[2] = 138.0f;
    const float norm = std::sqrt(40.0f * 40.0f + 30.0f * 30.0f + 138.0f * 138.0f) / 150.0f;
    for (float& e : view.eye)
        e /= norm;
    view.up[1] = 138.0f / std::sqrt(30.0f * 30.0f + 138.0f * 138.0f);
    view.up[2] = -30.0f / std::sqrt(30.0f * 30.0f + 138.0f * 138.0f);
    CheckedView checked;
    EXPECT_TRUE(CheckedView::Check(view, &checked, nullptr));
    return checked;
}

// A line of --print-frames, read back.
struct Line {
    int frame = -1;
    double seconds = -1.0;
    int step = 0;
    std::string text;
    View view;
};

// The frames of `tour` from `start` as --print-frames prints them, each line read back; an empty
// list, with the reason printed, when the tour is refused.
std::vector<Line> Print(const std::string& tour, double fps = 30.0, bool loop = false,
                        const CheckedView& start = StartView()) {
    std::vector<TourStep> steps;
    Tour timed;
    std::string reason;
    if (!TourReader::Read(tour, &steps, &reason) || !Tour::Make(steps, start, fps, loop, &timed, &reason)) {
        ADD_FAILURE() << "refused: " << tour << ": " << reason;
        return {};
    }
    std::vector<Line> lines;
    for (int k = 0; k < timed.FrameCount(); ++k) {
        Line line;
        std::istringstream in(timed.Line(k));
        std::string seconds;
        in >> line.frame >> seconds >> line.step >> line.text;
        line.seconds = std::stod(seconds);
        EXPECT_TRUE(ViewText::Parse(line.text, &line.view, nullptr)) << timed.Line(k);
        EXPECT_EQ(seconds.size() - seconds.find('.'), 4u) << "three decimals: " << timed.Line(k);
        lines.push_back(line);
    }
    return lines;
}

// How far apart two orientations are: the Frobenius norm of their difference, which for rotations
// depends only on the rotation between them, so equal steps of angle give equal distances.
double OrientationStep(const View& a, const View& b) {
    double sum = 0.0;
    for (int r = 0; r < a.dimension; ++r)
        for (int c = 0; c < a.dimension; ++c)
            sum += (a.At(r, c) - b.At(r, c)) * (a.At(r, c) - b.At(r, c));
    return std::sqrt(sum);
}

// The angle in degrees between two eyes seen from the origin.
double EyeAngle(const View& a, const View& b) {
    double dot = 0.0, na = 0.0, nb = 0.0;
    for (int i = 0; i < 3; ++i)
        dot += double(a.eye[i]) * b.eye[i], na += double(a.eye[i]) * a.eye[i],
            nb += double(b.eye[i]) * b.eye[i];
    return std::acos(std::clamp(dot / std::sqrt(na * nb), -1.0, 1.0)) * 180.0 / M_PI;
}

TEST(TourTest, AFrameForEveryTimeBeforeTheEndAndWithoutLoopOneMoreForTheEnd) {
    const struct {
        const char* tour;
        double fps;
        bool loop;
        size_t frames;
    } cases[] = {
        {"turn 0,3 by 360 in 2s", 30, true, 60},
        {"turn 0,3 by 360 in 2s", 30, false, 61},
        {"turn 0,3 by 360 in 48f", 12, true, 48},
        {"hold 0.1s", 30, false, 4}, // 0.1 x 30 is a hair above 3 in floating point
        {"hold 500ms; hold 500ms", 24, false, 25},
        {"hold 1.01s", 10, false, 12}, // frames 0 to 10 are before 1.01 s, then the end
        {"orbit 360 in 1s\nhold 250ms # a comment; not a step\n", 20, true, 25},
    };
    for (const auto& c : cases) {
        const std::vector<Line> lines = Print(c.tour, c.fps, c.loop);
        EXPECT_EQ(lines.size(), c.frames) << c.tour << " at " << c.fps << (c.loop ? " looping" : "");
        for (size_t k = 0; k < lines.size(); ++k) {
            EXPECT_EQ(lines[k].frame, static_cast<int>(k));
            EXPECT_NEAR(lines[k].seconds, k / c.fps, 0.0005) << c.tour << " frame " << k;
        }
    }
}

// A turn and an orbit go at one speed: every frame the same step of angle as the one before, and
// the turn's last frame is the start turned by the whole angle.
TEST(TourTest, TurnsAndOrbitsGoInEqualStepsOfAngle) {
    const std::vector<Line> turn = Print("turn 3,1 by -90 in 15f");
    ASSERT_EQ(turn.size(), 16u);
    const double first = OrientationStep(turn[0].view, turn[1].view);
    EXPECT_GT(first, 0.01);
    for (size_t k = 1; k + 1 < turn.size(); ++k)
        EXPECT_NEAR(OrientationStep(turn[k].view, turn[k + 1].view), first, 1e-6) << "frame " << k;
    View turned = *StartView();
    turned.TurnInPlane(1, 3, -M_PI / 2);
    EXPECT_EQ(turn.back().text, ViewText::Format(turned)) << "the end: turned by -90 degrees in (1, 3)";

    const std::vector<Line> orbit = Print("orbit 45 in 9f");
    ASSERT_EQ(orbit.size(), 10u);
    const double distance = std::hypot(orbit[0].view.eye[0], orbit[0].view.eye[1], orbit[0].view.eye[2]);
    for (size_t k = 0; k + 1 < orbit.size(); ++k) {
        EXPECT_NEAR(EyeAngle(orbit[k].view, orbit[k + 1].view), 5.0, 1e-3) << "frame " << k;
        EXPECT_NEAR(std::hypot(orbit[k].view.eye[0], orbit[k].view.eye[1], orbit[k].view.eye[2]), distance,
                    1e-3);
        EXPECT_EQ(OrientationStep(orbit[k].view, orbit[0].view), 0.0) << "the cube stays";
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(orbit[k].view.up[i], orbit[0].view.up[i]) << "a turntable keeps the up axis";
    }
}

// An eased `to` starts and stops with no speed, is fastest in the middle, and ends on its target;
// a linear one keeps one speed. Frames of a hold are all one view.
TEST(TourTest, EasedToStopsAtBothEndsOnItsTargetAndHoldsStayStill) {
    View target = *StartView();
    target.TurnInPlane(0, 2, 1.2);
    target.wireframe = true;
    const std::string targetText = ViewText::Format(target);
    // The target as its text reads: straightened on reading, an entry may round the other way.
    View read;
    ASSERT_TRUE(ViewText::Parse(targetText, &read, nullptr));
    const std::vector<Line> eased = Print("hold 5f; to " + targetText + " in 40f; hold 5f");
    ASSERT_EQ(eased.size(), 51u);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(eased[k].text, eased[0].text) << "hold frame " << k;
        EXPECT_EQ(eased[k].step, 1);
    }
    std::vector<double> steps;
    for (int k = 5; k < 45; ++k) {
        steps.push_back(OrientationStep(eased[k].view, eased[k + 1].view));
        EXPECT_EQ(eased[k].step, 2) << "frame " << k;
        EXPECT_TRUE(eased[k].view.wireframe) << "the target's mode from the step's first frame, " << k;
    }
    const double fastest = *std::max_element(steps.begin(), steps.end());
    EXPECT_LT(steps.front(), fastest / 100) << "zero speed at the start";
    EXPECT_LT(steps.back(), fastest / 100) << "zero speed at the end";
    EXPECT_GT(steps[steps.size() / 2], fastest * 0.95) << "fastest in the middle";
    for (int k = 45; k <= 50; ++k) {
        EXPECT_EQ(eased[k].text, ViewText::Format(read)) << "frame " << k << " on the target";
        EXPECT_EQ(eased[k].step, 3);
    }

    const std::vector<Line> linear = Print("to " + targetText + " in 10f linear");
    for (size_t k = 1; k + 1 < linear.size(); ++k)
        EXPECT_NEAR(OrientationStep(linear[k].view, linear[k + 1].view),
                    OrientationStep(linear[0].view, linear[1].view), 1e-6)
            << "frame " << k;
}

// Faces switch at their moment: the frames from then on show them off or on, the fog staying on.
TEST(TourTest, FacesSwitchAtTheirMoment) {
    const std::vector<Line> lines = Print("hold 2f; faces off; hold 2f; faces on");
    ASSERT_EQ(lines.size(), 5u);
    const char modes[] = {'f', 'f', 'd', 'd', 'f'};
    const int steps[] = {1, 1, 3, 3, 4};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(lines[k].text[4], modes[k]) << "frame " << k << ": " << lines[k].text;
        EXPECT_EQ(lines[k].step, steps[k]) << "frame " << k;
    }
}

// A looping tour has no frame twice: the frame after its last (the tour's end, which the same tour
// without the loop prints last) is its first frame.
TEST(TourTest, ALoopsFrameAfterTheLastIsTheFirst) {
    View away = *StartView();
    away.TurnInPlane(0, 1, 2.0);
    for (const std::string& tour : {std::string("turn 0,3 by 360 in 2s"), std::string("orbit -360 in 37f"),
                                    "turn 1,2 by 90 in 1s; hold 0.5s; orbit 30 in 10f; to " +
                                        ViewText::Format(away) + " in 1s; to start in 2s"}) {
        const std::vector<Line> looping = Print(tour, 30, true);
        const std::vector<Line> whole = Print(tour, 30, false);
        ASSERT_FALSE(looping.empty()) << tour;
        ASSERT_EQ(whole.size(), looping.size() + 1) << tour;
        EXPECT_EQ(whole.back().text, looping.front().text) << tour;
        EXPECT_NE(looping.back().text, looping.front().text) << tour;
    }
}

// Every fault is refused with one line that names the step's number and what is wrong.
TEST(TourTest, ToursThatCannotBeReadOrTimedAreRefusedNamingTheStep) {
    View fiveCube;
    fiveCube.dimension = 5;
    const struct {
        std::string tour;
        bool loop;
        std::string names;
    } cases[] = {
        {"hold 1s; spin 90 in 1s", false, "step 2 'spin 90 in 1s': 'spin' is no step"},
        {"turn 0,3 by 90", false, "step 1 'turn 0,3 by 90': a turn step is 'turn A,B by DEG in DUR'"},
        {"turn 0,0 by 90 in 1s", false, "the plane '0,0' is not two different axes"},
        {"turn 0,4 by 90 in 1s", false, "step 1 'turn 0,4 by 90 in 1s': the 4-cube has the axes 0 to 3"},
        {"orbit ten in 1s", false, "the angle 'ten'"},
        {"orbit 1e3 in 1s", false, "the angle '1e3'"},
        {"hold 2", false, "the duration '2' is not a number with s, ms or f"},
        {"hold 0s", false, "longer than 0"},
        {"hold -1s", false, "the duration '-1s'"},
        {"hold 1s;;\n# nothing\nto v1.4f.zzz in 1s", false, "step 2 'to v1.4f.zzz in 1s': the view:"},
        {"to " + ViewText::Format(fiveCube) + " in 1s", false, "a tour keeps its start's, 4"},
        {"to start in 1s sideways", false, "'to VIEW in DUR [linear|ease]'"},
        {"faces maybe", false, "'faces on|off'"},
        {"# only a comment", false, "the tour has no steps"},
        {"turn 0,1 by 90 in 1s", true, "must end where it started; add 'to start in 2s'"},
        {"hold 10001f", false, "the tour has 10002 frames at 30 per second; a clip has from 2 to 10000"},
        {"hold 1f", true, "the tour has 1 frames"},
        {"hold 86401s", false, "at most 86400s"},
    };
    for (const auto& c : cases) {
        std::vector<TourStep> steps;
        Tour tour;
        std::string reason;
        const bool read = TourReader::Read(c.tour, &steps, &reason);
        EXPECT_FALSE(read && Tour::Make(steps, StartView(), 30.0, c.loop, &tour, &reason))
            << "accepted: " << c.tour;
        EXPECT_NE(reason.find(c.names), std::string::npos)
            << c.tour << ": expected \"" << c.names << "\" in \"" << reason << "\"";
        EXPECT_EQ(reason.find('\n'), std::string::npos) << c.tour;
    }
}

} // namespace
