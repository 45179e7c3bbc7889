// Every strut and ball is a closed, outward-facing shell without a degenerate triangle, and the
// object is the size asked for, standing on the floor over the origin.
#include "export/FileKinds.h"
#include "model/FoldedShadow.h"
#include "model/ModelMesh.h"
#include "model/ModelPlacement.h"
#include "tests/model/ModelSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using Point = MeshPart::Point;

Point Minus(const Point& a, const Point& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Point Cross(const Point& a, const Point& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double Dot(const Point& a, const Point& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Whether every edge of the part's triangles is met once in each direction, and none more often.
// The shells share no vertex, so this holds for the part when it holds for each shell.
void ExpectClosed(const MeshPart& part, const char* what) {
    std::map<std::pair<uint32_t, uint32_t>, int> directed;
    for (size_t i = 0; i < part.indices.size(); i += 3)
        for (int k = 0; k < 3; ++k)
            ++directed[{part.indices[i + static_cast<size_t>(k)],
                        part.indices[i + static_cast<size_t>((k + 1) % 3)]}];
    int open = 0;
    for (const auto& [edge, count] : directed) {
        const auto back = directed.find({edge.second, edge.first});
        if (count != 1 || back == directed.end() || back->second != 1)
            ++open;
    }
    EXPECT_EQ(open, 0) << what << ": edges not shared by exactly two triangles in opposite directions, of "
                       << directed.size();
}

// Every triangle faces away from `centre` (a convex shell's inside point) and has an area.
void ExpectOutwardAndNotDegenerate(const MeshPart& part, const Point& centre, double leastArea,
                                   const char* what) {
    for (size_t i = 0; i < part.indices.size(); i += 3) {
        const Point& a = part.positions[part.indices[i]];
        const Point& b = part.positions[part.indices[i + 1]];
        const Point& c = part.positions[part.indices[i + 2]];
        const Point normal = Cross(Minus(b, a), Minus(c, a));
        const double area = 0.5 * std::sqrt(Dot(normal, normal));
        ASSERT_GT(area, leastArea) << what << " triangle " << i / 3;
        const Point middle = {(a[0] + b[0] + c[0]) / 3 - centre[0], (a[1] + b[1] + c[1]) / 3 - centre[1],
                              (a[2] + b[2] + c[2]) / 3 - centre[2]};
        ASSERT_GT(Dot(normal, middle), 0.0) << what << " triangle " << i / 3 << " faces inwards";
    }
    for (const Point& normal : part.normals)
        ASSERT_NEAR(Dot(normal, normal), 1.0, 1e-12) << what << ": a normal not of unit length";
}

TEST(ModelMeshTest, StrutsAndBallsAreClosedOutwardShellsInEveryDirection) {
    const Point a = {1.0, 2.0, 3.0};
    // Along each axis both ways, and slanted, which takes every branch of the strut's frame.
    const Point ends[] = {{11, 2, 3}, {-9, 2, 3}, {1, 12, 3}, {1, -8, 3},
                          {1, 2, 13}, {1, 2, -7}, {4, 6, 8},  {1.001, 2, 3}};
    for (const Point& b : ends) {
        MeshPart strut;
        strut.AddStrut(a, b, 0.5);
        ExpectClosed(strut, "a strut");
        const Point middle = {(a[0] + b[0]) / 2, (a[1] + b[1]) / 2, (a[2] + b[2]) / 2};
        ExpectOutwardAndNotDegenerate(strut, middle, 1e-6, "a strut");
    }
    MeshPart ball;
    ball.AddBall(a, 0.9);
    ExpectClosed(ball, "a ball");
    ExpectOutwardAndNotDegenerate(ball, a, 1e-3, "a ball");
    // The ball reaches its radius exactly along every axis, on which the model's size rests.
    for (int axis = 0; axis < 3; ++axis) {
        double low = HUGE_VAL, high = -HUGE_VAL;
        for (const Point& p : ball.positions) {
            low = std::min(low, p[static_cast<size_t>(axis)] - a[static_cast<size_t>(axis)]);
            high = std::max(high, p[static_cast<size_t>(axis)] - a[static_cast<size_t>(axis)]);
        }
        EXPECT_DOUBLE_EQ(low, -0.9) << "axis " << axis;
        EXPECT_DOUBLE_EQ(high, 0.9) << "axis " << axis;
    }
}

// The bounding box of the struts and balls, in millimetres.
std::pair<Point, Point> Bounds(const ModelMesh& mesh) {
    Point low = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, high = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const MeshPart* part : {&mesh.struts, &mesh.balls})
        for (const Point& p : part->positions)
            for (size_t axis = 0; axis < 3; ++axis) {
                low[axis] = std::min(low[axis], p[axis]);
                high[axis] = std::max(high[axis], p[axis]);
            }
    return {low, high};
}

TEST(ModelMeshTest, TheObjectIsTheSizeAskedForStandingOnTheFloorOverTheOrigin) {
    struct Case {
        int n;
        double size;
        double strut;
    } cases[] = {{3, 100.0, 2.5}, {5, 60.0, 6.0}, {8, 250.0, 1.0}};
    for (const Case& c : cases) {
        const ModelSource source = CubeSource(c.n, true, EveryPlane(c.n), 0.41);
        const FoldedShadow shadow(source);
        const ModelPlacement placement(shadow, c.size, c.strut);
        const ModelMesh mesh(source, shadow, placement);
        ExpectClosed(mesh.struts, "the struts");
        ExpectClosed(mesh.balls, "the balls");
        const auto [low, high] = Bounds(mesh);
        const double extent = std::max({high[0] - low[0], high[1] - low[1], high[2] - low[2]});
        EXPECT_NEAR(extent, c.size, 1e-9 * c.size) << c.n << "-cube";
        EXPECT_NEAR(low[1], 0.0, 1e-9 * c.size) << c.n << "-cube stands on y = 0";
        EXPECT_NEAR(low[0] + high[0], 0.0, 1e-9 * c.size) << c.n << "-cube centred in x";
        EXPECT_NEAR(low[2] + high[2], 0.0, 1e-9 * c.size) << c.n << "-cube centred in z";
        EXPECT_DOUBLE_EQ(placement.BallRadius(), 0.9 * c.strut);
        // Each ball is where its vertex is, under one scale and shift.
        const Point first = placement.Place(source.vertices[0]);
        const Point& north = mesh.balls.positions[0];
        const Point& south = mesh.balls.positions[(MeshPart::ballBands - 1) * MeshPart::roundSides + 1];
        const Point ballCentre = {(north[0] + south[0]) / 2, (north[1] + south[1]) / 2,
                                  (north[2] + south[2]) / 2};
        for (size_t axis = 0; axis < 3; ++axis)
            EXPECT_NEAR(ballCentre[axis], first[axis], 1e-9 * c.size)
                << "the first ball's poles meet at its vertex";
        // The squares lie on the balls' centres, one part per tint.
        size_t squares = 0;
        for (const MeshPart& tint : mesh.faces)
            squares += tint.TriangleCount() / 2;
        EXPECT_EQ(squares, shadow.Squares().size());
    }
}

// A print takes z up: the window's (x, y, z) turned about x, never mirrored.
TEST(ModelMeshTest, ThePrintersFrameIsATurnOfTheWindowsNotAMirrorImage) {
    const Point x = ModelPlacement::ZUp({1, 0, 0}), y = ModelPlacement::ZUp({0, 1, 0}),
                z = ModelPlacement::ZUp({0, 0, 1});
    EXPECT_EQ(y, (Point{0, 0, 1})) << "the window's y is the print's up";
    EXPECT_DOUBLE_EQ(Dot(Cross(x, y), z), 1.0) << "a right-handed frame stays right-handed";
}

} // namespace
