// Rotation of the model in a coordinate plane, directly and through held digit keys.
#include "hypercube/HypercubeModel.h"
#include "hypercube/KeyRotation.h"
#include "hypercube/View.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

constexpr int shiftKey = 0x10;

void BuildCube(HypercubeModel& model, int32_t n) {
    model.BuildCountTables();
    model.BuildWithoutLabels(n);
    model.built = true;
}

std::vector<float> Snapshot(const HypercubeModel& model) {
    return std::vector<float>(model.vertices, model.vertices + model.vertexCount * model.dimension);
}

// Where the axis-aligned vertex v ends after turning by `angle` in the plane (a, b), in double
// precision, to compare single-precision results against.
double Expected(int32_t v, int32_t axis, int32_t a, int32_t b, double angle) {
    const double x = (v >> a) & 1 ? 25.0 : -25.0;
    const double y = (v >> b) & 1 ? 25.0 : -25.0;
    if (axis == a)
        return std::cos(angle) * x - std::sin(angle) * y;
    if (axis == b)
        return std::sin(angle) * x + std::cos(angle) * y;
    return (v >> axis) & 1 ? 25.0 : -25.0;
}

void ExpectTurnedFromAxisAligned(const HypercubeModel& model, int32_t a, int32_t b, double angle) {
    for (int32_t v = 0; v < model.vertexCount; ++v)
        for (int32_t c = 0; c < model.dimension; ++c)
            EXPECT_NEAR(model.Vertex(v)[c], Expected(v, c, a, b, angle), 1e-4)
                << "vertex " << v << " coordinate " << c << " after turning " << angle << " in (" << a << ", "
                << b << ")";
}

struct Keys {
    bool table[128] = {};
    Keys& Hold(int code) {
        table[code] = true;
        return *this;
    }
    Keys& Digit(int d) { return Hold(firstDigitKey + d); }
};

} // namespace

TEST(RotatePlane, QuarterTurnInPlane01TakesVertex1FromMinusYToPlusYAndKeepsZ) {
    HypercubeModel model;
    BuildCube(model, 3);
    model.RotatePlane(0, 1, static_cast<float>(std::numbers::pi / 2));
    EXPECT_NEAR(model.Vertex(1)[0], 25.0f, 1e-4);
    EXPECT_NEAR(model.Vertex(1)[1], 25.0f, 1e-4);
    EXPECT_EQ(model.Vertex(1)[2], -25.0f);
    for (int32_t v = 0; v < model.vertexCount; ++v)
        EXPECT_EQ(model.Vertex(v)[2], (v & 4) ? 25.0f : -25.0f) << "z of vertex " << v;
}

TEST(RotatePlane, PositiveAngleTurnsAxisATowardsAxisBInEveryPlane) {
    for (int32_t a = 0; a < 5; ++a)
        for (int32_t b = 0; b < 5; ++b) {
            if (a == b)
                continue;
            HypercubeModel model;
            BuildCube(model, 5);
            model.RotatePlane(a, b, 0.3f);
            ExpectTurnedFromAxisAligned(model, a, b, 0.3);
        }
}

TEST(RotatePlane, TurningBackByTheSameAngleRestoresTheVerticesWithinRounding) {
    HypercubeModel model;
    BuildCube(model, 6);
    const std::vector<float> before = Snapshot(model);
    model.RotatePlane(2, 5, 1.234f);
    model.RotatePlane(2, 5, -1.234f);
    const std::vector<float> after = Snapshot(model);
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_NEAR(after[i], before[i], 1e-4) << "coordinate " << i;
}

TEST(RotatePlane, InvalidAxesOrDimensionChangeNothing) {
    HypercubeModel model;
    BuildCube(model, 4);
    const std::vector<float> before = Snapshot(model);
    const int32_t planes[][2] = {{1, 1}, {-1, 2}, {2, -1}, {4, 0}, {0, 4}, {7, 9}};
    for (const auto& plane : planes) {
        model.RotatePlane(plane[0], plane[1], 0.5f);
        EXPECT_EQ(Snapshot(model), before) << "plane (" << plane[0] << ", " << plane[1] << ")";
    }
    // No build makes a dimension above 15; the field is forced there to reach the guard.
    model.dimension = 16;
    model.vertexCount = 1;
    model.RotatePlane(0, 1, 0.5f);
    model.dimension = 4;
    model.vertexCount = 16;
    EXPECT_EQ(Snapshot(model), before) << "dimension 16";
}

TEST(RotatePlane, UnbuiltModelIsLeftAlone) {
    HypercubeModel model;
    model.BuildCountTables();
    model.RotatePlane(0, 1, 0.5f);
    EXPECT_EQ(model.vertices, nullptr);
    EXPECT_EQ(model.dimension, 0);
}

TEST(KeyRotation, TwoDigitsTurnThePlaneAtTheRotationRateTowardsTheHigherAxis) {
    HypercubeModel model;
    BuildCube(model, 3);
    uint32_t lastTick = 5000;
    ApplyKeyRotation(model, Keys().Digit(1).Digit(0).table, 6000, lastTick);
    EXPECT_EQ(lastTick, 6000u);
    ExpectTurnedFromAxisAligned(model, 0, 1, 1.6);
}

TEST(KeyRotation, ShiftTurnsTheOtherWayAtTheSameSpeed) {
    HypercubeModel model;
    BuildCube(model, 3);
    uint32_t lastTick = 100;
    ApplyKeyRotation(model, Keys().Digit(0).Digit(1).Hold(shiftKey).table, 350, lastTick);
    ExpectTurnedFromAxisAligned(model, 0, 1, -0.4);
}

TEST(KeyRotation, OnlyTheTwoLowestHeldAxesBelowTheDimensionCount) {
    HypercubeModel model;
    BuildCube(model, 4);
    uint32_t lastTick = 0;
    ApplyKeyRotation(model, Keys().Digit(3).Digit(2).Digit(1).table, 500, lastTick);
    ExpectTurnedFromAxisAligned(model, 1, 2, 0.8);

    HypercubeModel reference;
    BuildCube(reference, 4);
    lastTick = 0;
    // Digits 5 and 9 name no axis of a 4-cube, so only axes 0 and 3 qualify.
    ApplyKeyRotation(reference, Keys().Digit(9).Digit(3).Digit(5).Digit(0).table, 250, lastTick);
    ExpectTurnedFromAxisAligned(reference, 0, 3, 0.4);
}

TEST(KeyRotation, OneQualifyingDigitTurnsNothingButStillAdvancesTheClock) {
    HypercubeModel model;
    BuildCube(model, 3);
    const std::vector<float> before = Snapshot(model);
    uint32_t lastTick = 1000;
    // Axis 3 does not exist in a 3-cube, so only axis 0 qualifies.
    ApplyKeyRotation(model, Keys().Digit(3).Digit(0).table, 2000, lastTick);
    EXPECT_EQ(Snapshot(model), before);
    EXPECT_EQ(lastTick, 2000u);

    ApplyKeyRotation(model, Keys().Digit(2).table, 2500, lastTick);
    EXPECT_EQ(Snapshot(model), before);
    ApplyKeyRotation(model, Keys().Hold(shiftKey).table, 2600, lastTick);
    EXPECT_EQ(Snapshot(model), before);
    EXPECT_EQ(lastTick, 2600u);
}

TEST(KeyRotation, KeypadAndOtherKeysSelectNoAxis) {
    HypercubeModel model;
    BuildCube(model, 3);
    const std::vector<float> before = Snapshot(model);
    uint32_t lastTick = 0;
    // VK_NUMPAD0 and VK_NUMPAD1, and the letters A and B.
    ApplyKeyRotation(model, Keys().Hold(0x60).Hold(0x61).Hold('A').Hold('B').table, 1000, lastTick);
    EXPECT_EQ(Snapshot(model), before);
}

TEST(KeyRotation, UnbuiltModelTurnsNothing) {
    HypercubeModel model;
    model.BuildCountTables();
    uint32_t lastTick = 10;
    ApplyKeyRotation(model, Keys().Digit(0).Digit(1).table, 20, lastTick);
    EXPECT_EQ(model.vertices, nullptr);
    EXPECT_EQ(lastTick, 20u);
}

TEST(KeyRotation, TickCounterWrapGivesTheTrueElapsedTime) {
    HypercubeModel model;
    BuildCube(model, 3);
    uint32_t lastTick = 4294967280u; // 2^32 - 16
    ApplyKeyRotation(model, Keys().Digit(0).Digit(2).table, 16, lastTick);
    EXPECT_EQ(lastTick, 16u);
    ExpectTurnedFromAxisAligned(model, 0, 2, 32 * 0.0016);
}

TEST(KeyRotation, TimeAccumulatedBetweenCallsIsAppliedAtOnce) {
    HypercubeModel stepped;
    BuildCube(stepped, 3);
    HypercubeModel skipped;
    BuildCube(skipped, 3);
    const Keys keys = Keys().Digit(1).Digit(2);
    uint32_t steppedTick = 0;
    for (uint32_t now = 100; now <= 700; now += 100)
        ApplyKeyRotation(stepped, keys.table, now, steppedTick);
    uint32_t skippedTick = 0;
    ApplyKeyRotation(skipped, keys.table, 700, skippedTick);
    ExpectTurnedFromAxisAligned(skipped, 1, 2, 700 * 0.0016);
    ExpectTurnedFromAxisAligned(stepped, 1, 2, 700 * 0.0016);
}

// The model turns its vertices in float, a view its orientation in double, by the same PlaneTurn: a
// run of key turns and the view recorded from it must put every vertex in the same place.
TEST(RotatePlane, TheModelAndAViewTurnedByTheSameTurnsAgree) {
    const int n = 6;
    HypercubeModel model;
    BuildCube(model, n);
    const std::vector<float> start = Snapshot(model);
    View view;
    view.dimension = n;
    const struct {
        int a, b;
        float angle;
    } turns[] = {{0, 3, 0.7f}, {1, 4, -0.4f}, {2, 5, 1.9f}, {0, 2, 0.3f}, {4, 1, 2.5f}, {5, 3, -3.0f}};
    for (const auto& turn : turns) {
        model.RotatePlane(turn.a, turn.b, turn.angle);
        view.TurnInPlane(turn.a, turn.b, turn.angle);
    }
    for (int32_t v = 0; v < model.vertexCount; ++v)
        for (int r = 0; r < n; ++r) {
            double expected = 0.0;
            for (int c = 0; c < n; ++c)
                expected += view.At(r, c) * start[static_cast<size_t>(v) * n + c];
            EXPECT_NEAR(model.Vertex(v)[r], expected, 1e-4) << "vertex " << v << " coordinate " << r;
        }
}
