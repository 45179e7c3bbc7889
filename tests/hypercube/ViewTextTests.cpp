// A view as text: what is written reads back, and hostile text is refused whole, with a reason.
#include "hypercube/View.h"
#include "hypercube/ViewText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

// An n-cube turned in two planes, with faces, seen from an orbited and zoomed camera.
View TurnedCube(int n = 5) {
    View view;
    view.dimension = n;
    view.wireframe = false;
    if (n == 0)
        return view;
    view.TurnInPlane(0, n - 1, 0.7);
    view.TurnInPlane(1, 2, -2.1);
    const float c = std::cos(0.4f), s = std::sin(0.4f);
    view.eye[0] = 120.0f * s;
    view.eye[1] = 0.0f;
    view.eye[2] = 120.0f * c;
    return view;
}

double LargestDifference(const View& a, const View& b) {
    double largest = 0.0;
    for (int i = 0; i < a.dimension; ++i)
        for (int k = 0; k < a.dimension; ++k)
            largest = std::max(largest, std::fabs(a.At(i, k) - b.At(i, k)));
    return largest;
}

TEST(ViewTextTest, WrittenViewsReadBackWithAnExactCameraAndANearlyExactRotation) {
    for (int n : {0, 3, 5, 8}) {
        const View view = TurnedCube(n);
        const std::string text = ViewText::Format(view);
        EXPECT_EQ(text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_."),
                  std::string::npos)
            << text;
        View read;
        std::string reason;
        ASSERT_TRUE(ViewText::Parse(text, &read, &reason)) << n << ": " << reason << " in " << text;
        EXPECT_EQ(read.dimension, n);
        EXPECT_FALSE(read.wireframe);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(read.eye[i], view.eye[i]) << "eye " << i;
            EXPECT_EQ(read.up[i], view.up[i]) << "up " << i;
        }
        EXPECT_LT(LargestDifference(read, view), 2e-7) << n;
        EXPECT_EQ(ViewText::Format(read), text) << "a view read back writes the same text";
    }
    // The start-up view: eye (0, 0, 150) is 0x43160000 and up (0, 1, 0) 0x3F800000 in IEEE bits.
    EXPECT_EQ(ViewText::Format(View()), "v1.0w.AAAAAAAAAAAABDFgAAAAAAAAA_gAAAAAAAAA");
}

// The mode letter carries the fog: texts written before the fogged wireframe had a letter keep
// their meaning (w: a fresh program's wireframe, without fog).
TEST(ViewTextTest, TheModeSaysFacesWireframeOrTheWireframeUnderTheFacesFog) {
    const struct {
        char mode;
        int dimension;
        bool wireframe, fogged;
    } cases[] = {{'w', 4, true, false},
                 {'d', 4, true, true},
                 {'f', 4, false, true},
                 {'f', 0, false, false},
                 {'d', 0, true, true}};
    for (const auto& c : cases) {
        View view = TurnedCube(c.dimension);
        std::string text = ViewText::Format(view);
        text[4] = c.mode;
        View read;
        std::string reason;
        ASSERT_TRUE(ViewText::Parse(text, &read, &reason)) << reason << " in " << text;
        EXPECT_EQ(read.wireframe, c.wireframe) << text.substr(0, 5);
        EXPECT_EQ(read.fogged, c.fogged) << text.substr(0, 5);
        EXPECT_EQ(ViewText::Format(read), text) << "written back as it was read";
    }
}

TEST(ViewTextTest, AnOrientationJustOffARotationIsStraightenedIntoOne) {
    View view = TurnedCube();
    view.At(2, 3) += 4e-4;
    view.At(0, 0) *= 1.0003;
    ASSERT_TRUE(view.Check(nullptr));
    for (int j = 0; j < 5; ++j)
        for (int k = 0; k < 5; ++k) {
            double dot = 0.0;
            for (int i = 0; i < 5; ++i)
                dot += view.At(i, j) * view.At(i, k);
            EXPECT_NEAR(dot, j == k ? 1.0 : 0.0, 1e-12) << "columns " << j << ", " << k;
        }
}

// Each row spoils a good view in one way; the text must be refused with a reason that says so, and
// the view it was to be read into must stay exactly as it was.
TEST(ViewTextTest, HostileTextIsRefusedWithAReasonAndNothingChanges) {
    const std::string good = ViewText::Format(TurnedCube());
    auto withView = [](auto change) {
        View view = TurnedCube();
        change(view);
        return ViewText::Format(view);
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "not a view"},
        {"not a view", "hello", "not a view"},
        {"unknown version", "v2" + good.substr(2), "unknown version"},
        {"only the version", "v1.", "ends too early"},
        {"truncated", good.substr(0, good.size() - 1), "ends too early"},
        {"truncated in the camera", good.substr(0, 20), "ends too early"},
        {"one character too many", good + "A", "too long"},
        {"longer than any view", std::string(ViewText::maxLength + 1, 'A'), "too long"},
        {"dimension 9", "v1.9" + good.substr(4), "dimension"},
        {"dimension 2", "v1.2" + good.substr(4), "dimension"},
        {"unknown mode", "v1.5x" + good.substr(5), "mode"},
        {"not base64url", good.substr(0, good.size() - 2) + "!A", "base64url"},
        {"a camera number above 32 bits", good.substr(0, 6) + "_" + good.substr(7), "base64url"},
        {"missing dot", good.substr(0, 5) + "A" + good.substr(6), "dots"},
        {"NaN in the eye", withView([&](View& v) { v.eye[1] = nan; }), "not finite"},
        {"infinite up", withView([&](View& v) { v.up[2] = -inf; }), "not finite"},
        {"eye too near", withView([](View& v) { v.eye[0] = 0, v.eye[2] = 90; }), "zoom limits"},
        {"eye too far", withView([](View& v) { v.eye[0] = 0, v.eye[2] = 320; }), "zoom limits"},
        {"up not of unit length", withView([](View& v) { v.up[1] = 0.9f; }), "unit length"},
        {"up along the line of sight", withView([](View& v) { v.up[0] = 0.6f, v.up[1] = 0.8f; }), "across"},
        {"a stretched column", withView([](View& v) { v.At(0, 0) *= 0.99; }), "not a rotation"},
        {"a sheared pair of columns", withView([](View& v) { v.At(1, 2) += 0.01; }), "not a rotation"},
        // Column 1 leans 0.1 rad towards column 0 and keeps its unit length: only the products of
        // different columns show it.
        {"unit columns not at right angles", withView([](View& v) {
             for (int i = 0; i < v.dimension; ++i)
                 v.At(i, 1) = std::sin(0.1) * v.At(i, 0) + std::cos(0.1) * v.At(i, 1);
         }),
         "not a rotation"},
        {"a reflection", withView([](View& v) {
             for (int i = 0; i < v.dimension; ++i)
                 v.At(i, 0) = -v.At(i, 0);
         }),
         "reflection"},
    };
    for (const Case& c : cases) {
        View view = TurnedCube(3);
        const std::string before = ViewText::Format(view);
        std::string reason;
        EXPECT_FALSE(ViewText::Parse(c.text, &view, &reason)) << c.name << ": accepted " << c.text;
        EXPECT_NE(reason.find(c.reason), std::string::npos)
            << c.name << ": expected a reason with \"" << c.reason << "\", got \"" << reason << "\"";
        EXPECT_EQ(reason.find('\n'), std::string::npos) << c.name << ": one line";
        EXPECT_EQ(ViewText::Format(view), before) << c.name << ": the view changed";
    }
}

TEST(ViewTextTest, TheLimitsOfTheEyeAreTheZoomLimitsWidenedByOneWheelNotch) {
    EXPECT_NEAR(NearestViewDistance(), 97.6, 1e-3);
    EXPECT_NEAR(FarthestViewDistance(), 307.2, 1e-3);
}

} // namespace
