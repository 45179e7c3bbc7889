// The way an animation goes from one view to another: the cube turns the short way at a steady
// rate through exact rotations, the eye orbits on the great circle within the zoom limits, and the
// way ends on the last view exactly.
#include "hypercube/SquareMatrix.h"
#include "hypercube/ViewPath.h"
#include "hypercube/ViewText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr double pi = std::numbers::pi;

View Cube(int n, bool wireframe = true) {
    View view;
    view.dimension = n;
    view.wireframe = wireframe;
    return view;
}

// A view of the n-cube turned by a random rotation: the exponential of a random skew matrix, whose
// angles of turn reach past pi as often as not.
View RandomlyTurned(std::mt19937& random, int n) {
    std::normal_distribution<double> entry(0.0, 1.5);
    SquareMatrix skew(n);
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            skew(i, j) = entry(random);
            skew(j, i) = -skew(i, j);
        }
    View view = Cube(n);
    view.SetOrientation(skew.Exp());
    return view;
}

SquareMatrix Between(const View& a, const View& b) {
    return a.Orientation().Transposed() * b.Orientation();
}

// Whether the symmetric part of x is positive semidefinite (Cholesky of it, nudged by 1e-10):
// true exactly when no angle of the rotation x is beyond a right angle.
bool WithinRightAngles(const SquareMatrix& x) {
    const int n = x.Size();
    SquareMatrix a = (x + x.Transposed()) * 0.5 + SquareMatrix::Identity(n) * 1e-10;
    for (int c = 0; c < n; ++c) {
        for (int k = 0; k < c; ++k)
            a(c, c) -= a(c, k) * a(c, k);
        if (a(c, c) <= 0.0)
            return false;
        a(c, c) = std::sqrt(a(c, c));
        for (int r = c + 1; r < n; ++r) {
            for (int k = 0; k < c; ++k)
                a(r, c) -= a(r, k) * a(c, k);
            a(r, c) /= a(c, c);
        }
    }
    return true;
}

double Distance(const float v[3]) {
    return std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
}

TEST(ViewPathOrientation, ATurnInOnePlaneIsHalfDoneHalfWay) {
    View from = Cube(5), to = Cube(5);
    from.TurnInPlane(1, 3, 0.4);
    to.TurnInPlane(1, 3, 0.4);
    to.TurnInPlane(0, 2, 2.5);
    View half = from;
    half.TurnInPlane(0, 2, 1.25);
    const View at = ViewPath(from, to).At(0.5);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_NEAR(at.At(r, c), half.At(r, c), 1e-12) << "entry " << r << ", " << c;
}

TEST(ViewPathOrientation, TurnsTheShortWayRound) {
    // 1.5 pi one way is half a pi the other way: half way is a quarter pi back.
    View from = Cube(4), to = Cube(4), quarterBack = Cube(4);
    to.TurnInPlane(0, 1, 1.5 * pi);
    quarterBack.TurnInPlane(0, 1, -0.25 * pi);
    // Nearly half way round, and exactly: half way is nearly and exactly a right angle, either way
    // for the half turn.
    View nearlyHalfTurn = Cube(4), halfTurn = Cube(4);
    nearlyHalfTurn.TurnInPlane(2, 3, pi - 1e-9);
    halfTurn.TurnInPlane(2, 3, pi);
    const View shortWay = ViewPath(from, to).At(0.5);
    const View nearly = ViewPath(from, nearlyHalfTurn).At(0.5);
    const View exactly = ViewPath(from, halfTurn).At(0.5);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(shortWay.At(r, c), quarterBack.At(r, c), 1e-12) << "entry " << r << ", " << c;
    EXPECT_NEAR(nearly.At(3, 2), 1.0, 1e-12) << "axis 2 turned a right angle towards axis 3";
    EXPECT_NEAR(std::fabs(exactly.At(3, 2)), 1.0, 1e-12) << "axis 2 turned a right angle";
    EXPECT_NEAR(exactly.At(0, 0) * exactly.At(1, 1), 1.0, 1e-12) << "axes 0 and 1 left alone";
}

TEST(ViewPathOrientation, RandomTurnsOfTheEightCubeStayRotationsAtASteadyRate) {
    std::mt19937 random(20240611);
    double worstOrthogonality = 0.0, worstEnd = 0.0, worstRate = 0.0;
    for (int pair = 0; pair < 12; ++pair) {
        const View from = RandomlyTurned(random, 8), to = RandomlyTurned(random, 8);
        const ViewPath path(from, to);
        const SquareMatrix whole = Between(from, to).RotationLog();
        for (double t : {0.1, 0.25, 0.5, 0.8, 1.0 - 1e-12}) {
            const SquareMatrix r = path.At(t).Orientation();
            worstOrthogonality =
                std::max(worstOrthogonality, (r.Transposed() * r - SquareMatrix::Identity(8)).Norm());
            // By t, the cube has turned by t times the whole turn, in the same planes.
            const SquareMatrix part = Between(from, path.At(t));
            worstRate = std::max(worstRate, (part - (whole * t).Exp()).Norm());
        }
        worstEnd = std::max(worstEnd, (path.At(1.0 - 1e-15).Orientation() - to.Orientation()).Norm());
        EXPECT_TRUE(WithinRightAngles(Between(from, path.At(0.5))))
            << "pair " << pair << ": half way no plane has turned beyond a right angle (the short way)";
    }
    EXPECT_LT(worstOrthogonality, 1e-13);
    EXPECT_LT(worstRate, 1e-12);
    EXPECT_LT(worstEnd, 1e-12);
}

TEST(ViewPathEnds, StartsOnTheFirstViewAndEndsOnTheLastExactly) {
    std::mt19937 random(7);
    View from = RandomlyTurned(random, 6), to = RandomlyTurned(random, 6);
    from.wireframe = true, to.wireframe = false;
    to.eye[0] = 40.0f, to.eye[1] = -200.0f, to.eye[2] = 0.0f;
    to.up[0] = 0.0f, to.up[1] = 0.0f, to.up[2] = 1.0f;
    ASSERT_TRUE(from.Check(nullptr));
    ASSERT_TRUE(to.Check(nullptr));
    const ViewPath path(from, to);
    View fromInLastMode = from;
    fromInLastMode.wireframe = false;
    EXPECT_EQ(ViewText::Format(path.At(0.0)), ViewText::Format(fromInLastMode));
    EXPECT_EQ(ViewText::Format(path.At(1.0)), ViewText::Format(to));
    EXPECT_FALSE(path.At(0.3).wireframe) << "the last view's faces all the way";
}

TEST(ViewPathEnds, AnotherDimensionStartsFromItsCubeAxisAligned) {
    View from = Cube(4), to = Cube(6);
    from.TurnInPlane(0, 3, 1.0);
    from.eye[0] = 0.0f, from.eye[1] = 0.0f, from.eye[2] = -120.0f;
    to.TurnInPlane(2, 5, 0.8);
    View half = Cube(6);
    half.TurnInPlane(2, 5, 0.4);
    const ViewPath path(from, to);
    const View start = path.At(0.0), at = path.At(0.5);
    EXPECT_EQ(start.dimension, 6);
    View expected = Cube(6);
    std::copy(from.eye, from.eye + 3, expected.eye);
    EXPECT_EQ(ViewText::Format(start), ViewText::Format(expected))
        << "the 6-cube axis-aligned, seen from the first camera";
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            EXPECT_NEAR(at.At(r, c), half.At(r, c), 1e-12) << "entry " << r << ", " << c;
}

TEST(ViewPathCamera, TheEyeOrbitsOnTheGreatCircleWithinTheZoomLimits) {
    View from = Cube(3), to = Cube(3);
    // From the nearest the wheel goes, straight ahead, to the farthest, up and to the side.
    const double nearest = NearestViewDistance(), farthest = FarthestViewDistance();
    from.eye[0] = 0.0f, from.eye[1] = 0.0f, from.eye[2] = static_cast<float>(nearest);
    BringWithinZoomLimits(from.eye);
    to.eye[0] = static_cast<float>(farthest * 0.6), to.eye[1] = static_cast<float>(farthest * 0.8);
    to.eye[2] = 0.0f;
    BringWithinZoomLimits(to.eye);
    to.up[0] = 0.0f, to.up[1] = 0.0f, to.up[2] = -1.0f;
    ASSERT_TRUE(from.Check(nullptr));
    ASSERT_TRUE(to.Check(nullptr));
    const ViewPath path(from, to);
    const double whole = pi / 2; // from +z to the x-y plane
    for (double t = 0.0; t <= 1.0; t += 0.125) {
        View at = path.At(t);
        const double distance = Distance(at.eye);
        EXPECT_GE(distance, nearest) << "t = " << t;
        EXPECT_LE(distance, farthest) << "t = " << t;
        // On the great circle through +z and (0.6, 0.8, 0), at t times the angle between them.
        EXPECT_NEAR(0.8 * at.eye[0] - 0.6 * at.eye[1], 0.0, 1e-4) << "t = " << t;
        EXPECT_NEAR(std::atan2(std::hypot(at.eye[0], at.eye[1]), at.eye[2]), t * whole, 1e-6) << "t = " << t;
        // The wheel scales the distance, so the way does too, by equal factors.
        EXPECT_NEAR(std::log(distance), std::log(nearest) + t * std::log(farthest / nearest), 1e-6)
            << "t = " << t;
        EXPECT_TRUE(at.Check(nullptr)) << "t = " << t;
    }
}

TEST(ViewPathCamera, BetweenOppositeEyesItTurnsAboutTheUpVector) {
    View from = Cube(3), to = Cube(3);
    to.eye[2] = -from.eye[2];
    const View half = ViewPath(from, to).At(0.5);
    EXPECT_NEAR(std::fabs(half.eye[0]), 150.0, 1e-4) << "half way round, to the side";
    EXPECT_NEAR(half.up[1], 1.0, 1e-6) << "the up vector kept";
}

} // namespace
