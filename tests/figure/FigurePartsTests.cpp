// The pieces a figure is made of, each against what it stands for: traced lines against the shape
// sampled, fog ramps against the fog, the edges' order against the depths where they cross.
#include "figure/ContourTracer.h"
#include "figure/EdgeOrder.h"
#include "figure/FogRamp.h"
#include "hypercube/ScenePalette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

double SignedArea(const std::vector<FigurePoint>& line) {
    double twice = 0.0;
    for (size_t i = 0; i < line.size(); ++i) {
        const FigurePoint& p = line[i];
        const FigurePoint& q = line[(i + 1) % line.size()];
        twice += p.x * q.y - q.x * p.y;
    }
    return twice / 2.0;
}

// Samples of |p - centre| / radius for every radius given: below 1 inside each circle.
std::vector<float> Rings(int side, const std::vector<double>& radii) {
    std::vector<float> samples(static_cast<size_t>(side) * side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double d = std::hypot(x - side / 2.0, y - side / 2.0);
            // Below the level inside the first circle and outside the second, if any.
            float v = static_cast<float>(d / radii[0]);
            if (radii.size() > 1)
                v = static_cast<float>(std::max(d / radii[0], radii[1] / std::max(d, 1e-9)));
            samples[static_cast<size_t>(y) * side + x] = v;
        }
    return samples;
}

} // namespace

TEST(ContourTracer, TracesADiscAndARingWhereTheSamplesCrossTheLevel) {
    const auto disc = ContourTracer().Trace(Rings(40, {12.0}), 40, 40, 1.0f);
    ASSERT_EQ(disc.size(), 1u);
    const double pi = 3.14159265358979;
    EXPECT_NEAR(std::fabs(SignedArea(disc[0])), pi * 144.0, pi * 144.0 * 0.01) << "the disc's area";
    for (const FigurePoint& p : disc[0])
        ASSERT_NEAR(std::hypot(p.x - 20.0, p.y - 20.0), 12.0, 0.1) << "a point off the circle";

    const auto ring = ContourTracer().Trace(Rings(40, {15.0, 6.0}), 40, 40, 1.0f);
    ASSERT_EQ(ring.size(), 2u) << "the outer and the inner circle";
    EXPECT_LT(SignedArea(ring[0]) * SignedArea(ring[1]), 0.0) << "a hole turns the other way";

    // Everything below the level: the line closes outside the grid, a third of a sample beyond the
    // outer samples (the padding counts as 1.5 for a level of 0.5), its corners cut.
    const auto whole = ContourTracer().Trace(std::vector<float>(12, 0.0f), 4, 3, 0.5f);
    ASSERT_EQ(whole.size(), 1u);
    const double third = 1.0 / 3.0;
    EXPECT_NEAR(std::fabs(SignedArea(whole[0])), (3 + 2 * third) * (2 + 2 * third) - 2 * third * third, 1e-6);
}

TEST(ContourTracer, SimplifyingKeepsTheLineWithinTheTolerance) {
    auto lines = ContourTracer().Trace(Rings(80, {30.0}), 80, 80, 1.0f);
    ASSERT_EQ(lines.size(), 1u);
    const std::vector<FigurePoint> traced = lines[0];
    ContourTracer::Simplify(lines, 0.2);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_LT(lines[0].size(), traced.size() / 2) << "points kept of " << traced.size();
    // Every traced point lies within the tolerance of the simplified ring.
    for (const FigurePoint& p : traced) {
        double nearest = 1e9;
        const auto& ring = lines[0];
        for (size_t i = 0; i < ring.size(); ++i) {
            const FigurePoint& a = ring[i];
            const FigurePoint& b = ring[(i + 1) % ring.size()];
            const double dx = b.x - a.x, dy = b.y - a.y;
            const double t =
                std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
            nearest = std::min(nearest, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
        }
        ASSERT_LE(nearest, 0.2 + 1e-9) << "point (" << p.x << ", " << p.y << ")";
    }
}

TEST(FogRamp, StopsFollowTheFogAlongAPerspectiveLine) {
    const FogRamp fog(ScenePalette::Light(), 150.0, 178.0);
    const FigureColour black = {0.0f, 0.0f, 0.0f};
    const FigurePaint paint = fog.Paint(black, {0.0, 0.0}, 120.0, {100.0, 0.0}, 220.0, 1.0f);
    ASSERT_GE(paint.stops.size(), 3u);
    for (int k = 0; k <= 200; ++k) {
        const double u = k / 200.0;
        const double depth = 1.0 / (1.0 / 120.0 + u * (1.0 / 220.0 - 1.0 / 120.0));
        size_t i = 1;
        while (i + 1 < paint.stops.size() && paint.stops[i].offset < u)
            ++i;
        const FigureStop& a = paint.stops[i - 1];
        const FigureStop& b = paint.stops[i];
        const double t = (u - a.offset) / (b.offset - a.offset);
        const double drawn = a.colour.red + t * (b.colour.red - a.colour.red);
        ASSERT_NEAR(drawn, fog.At(black, depth).red, FogRamp::FogError(1.0f) + 1e-6) << "at u = " << u;
    }
    const FigurePaint faint = fog.Paint(black, {0.0, 0.0}, 120.0, {100.0, 0.0}, 220.0, 0.2f);
    EXPECT_LT(faint.stops.size(), paint.stops.size()) << "a translucent paint needs fewer stops";
    EXPECT_TRUE(fog.Paint(black, {0, 0}, 100.0, {1, 0}, 140.0, 1.0f).Flat()) << "all before the fog";
    EXPECT_TRUE(fog.Paint(black, {0, 0}, 180.0, {1, 0}, 240.0, 1.0f).Flat()) << "all beyond it";
    EXPECT_NEAR(fog.Paint(black, {0, 0}, 180.0, {1, 0}, 240.0, 1.0f).colour.red, 1.0, 1e-6)
        << "faded to white";
}

TEST(EdgeOrder, TheNearerEdgeWhereTwoCrossIsPaintedLast) {
    // A long edge that comes close to the eye at its left end, where a short one crosses it; the
    // short one is nearer than the long one's middle, and farther than the long one at the crossing.
    const PictureEdge longEdge = {{0.0, 50.0}, {400.0, 50.0}, 100.0, 300.0, 0, 1};
    const PictureEdge shortEdge = {{20.0, 0.0}, {20.0, 100.0}, 150.0, 150.0, 2, 3};
    const PictureEdge apart = {{0.0, 300.0}, {10.0, 300.0}, 120.0, 120.0, 4, 5};
    const std::vector<size_t> order = EdgeOrder::Of({longEdge, shortEdge, apart}, 3.0);
    ASSERT_EQ(order.size(), 3u);
    const auto at = [&](size_t i) { return std::find(order.begin(), order.end(), i) - order.begin(); };
    EXPECT_GT(at(0), at(1)) << "the long edge, nearer at the crossing, comes after the short one";
}
