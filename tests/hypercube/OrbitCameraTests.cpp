// The orbit camera's motions, its limits, and driving it with mouse drags and the wheel.
#include "hypercube/MouseOrbit.h"
#include "hypercube/OrbitCamera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr float halfPi = static_cast<float>(std::numbers::pi / 2);

OrbitCamera ViewerCamera() {
    OrbitCamera camera;
    SetUpViewerCamera(camera);
    return camera;
}

float Distance(const OrbitCamera& camera) {
    const float dx = camera.eye[0] - camera.target[0];
    const float dy = camera.eye[1] - camera.target[1];
    const float dz = camera.eye[2] - camera.target[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void ExpectVector(const float actual[3], float x, float y, float z, float tolerance, const char* what) {
    EXPECT_NEAR(actual[0], x, tolerance) << what << ".x";
    EXPECT_NEAR(actual[1], y, tolerance) << what << ".y";
    EXPECT_NEAR(actual[2], z, tolerance) << what << ".z";
}

void ExpectSameCamera(const OrbitCamera& actual, const OrbitCamera& expected) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(actual.eye[i], expected.eye[i]) << "eye[" << i << "]";
        EXPECT_EQ(actual.up[i], expected.up[i]) << "up[" << i << "]";
        EXPECT_EQ(actual.target[i], expected.target[i]) << "target[" << i << "]";
    }
}

} // namespace

TEST(OrbitCameraSetUp, DefaultsAndViewerSetUp) {
    OrbitCamera camera;
    ExpectVector(camera.eye, 0, 0, 100, 0, "eye");
    ExpectVector(camera.up, 0, 1, 0, 0, "up");
    ExpectVector(camera.target, 0, 0, 0, 0, "target");
    EXPECT_FALSE(camera.active);
    EXPECT_EQ(camera.minDistance, 200.0f);
    EXPECT_EQ(camera.maxDistance, 8000.0f);

    SetUpViewerCamera(camera);
    ExpectVector(camera.eye, 0, 0, 150, 0, "eye");
    ExpectVector(camera.up, 0, 1, 0, 0, "up");
    ExpectVector(camera.target, 0, 0, 0, 0, "target");
    EXPECT_TRUE(camera.active);
    EXPECT_EQ(camera.minDistance, 100.0f);
    EXPECT_EQ(camera.maxDistance, 300.0f);
}

TEST(OrbitCameraPitch, QuarterTurnTakesTheEyeBelowAndTiltsUpTowardsPlusZ) {
    OrbitCamera camera = ViewerCamera();
    camera.Pitch(halfPi);
    ExpectVector(camera.eye, 0, -150, 0, 1e-3f, "eye");
    ExpectVector(camera.up, 0, 0, 1, 1e-6f, "up");
}

TEST(OrbitCameraPitch, LineOfSightAlongUpTurnsAboutZ) {
    OrbitCamera camera = ViewerCamera();
    camera.eye[2] = 0;
    camera.eye[1] = 150; // looking straight down the up vector
    camera.Pitch(halfPi);
    // d = (0, -150, 0) turned a quarter about z gives (150, 0, 0), so the eye goes to -x, and up
    // (0, 1, 0) turns to (-1, 0, 0).
    ExpectVector(camera.eye, -150, 0, 0, 1e-3f, "eye");
    ExpectVector(camera.up, -1, 0, 0, 1e-6f, "up");
}

TEST(OrbitCameraPitch, EyeOnTheTargetTurnsUpAboutZ) {
    OrbitCamera camera = ViewerCamera();
    camera.eye[2] = 0;
    camera.Pitch(halfPi);
    ExpectVector(camera.eye, 0, 0, 0, 0, "eye");
    ExpectVector(camera.up, -1, 0, 0, 1e-6f, "up");
}

TEST(OrbitCameraYaw, QuarterTurnTakesTheEyeToPlusXAndKeepsUp) {
    OrbitCamera camera = ViewerCamera();
    camera.Yaw(halfPi);
    ExpectVector(camera.eye, 150, 0, 0, 1e-3f, "eye");
    ExpectVector(camera.up, 0, 1, 0, 0, "up");
}

TEST(OrbitCameraYaw, AfterAPitchTheEyeStaysOnTheSphereAndPerpendicularToUp) {
    OrbitCamera camera = ViewerCamera();
    camera.Pitch(0.7f);
    camera.Yaw(1.1f);
    camera.Pitch(-0.4f);
    camera.Yaw(2.5f);
    EXPECT_NEAR(Distance(camera), 150.0f, 1e-3f);
    const float dot =
        camera.eye[0] * camera.up[0] + camera.eye[1] * camera.up[1] + camera.eye[2] * camera.up[2];
    EXPECT_NEAR(dot, 0.0f, 1e-3f);
}

TEST(OrbitCameraZoom, HalfwayCheckedAgainstTheDistanceBeforeTheMove) {
    OrbitCamera camera = ViewerCamera();
    camera.Zoom(0.5f);
    ExpectVector(camera.eye, 0, 0, 75, 0, "eye");
    camera.Zoom(0.5f);
    ExpectVector(camera.eye, 0, 0, 75, 0, "eye after the second zoom");
}

TEST(OrbitCameraZoom, ZeroFactorNeverMovesTheEye) {
    OrbitCamera camera = ViewerCamera();
    camera.Zoom(0.0f);
    ExpectVector(camera.eye, 0, 0, 150, 0, "eye");
}

TEST(OrbitCameraZoom, WheelNotchesStopJustPastEachLimit) {
    OrbitCamera nearer = ViewerCamera();
    int moves = 0;
    for (int notch = 0; notch < 40; ++notch) {
        const float before = nearer.eye[2];
        ApplyMouseWheel(nearer, 120);
        moves += nearer.eye[2] != before;
    }
    EXPECT_EQ(moves, 17);
    EXPECT_NEAR(Distance(nearer), 99.25f, 0.01f);

    OrbitCamera further = ViewerCamera();
    moves = 0;
    for (int notch = 0; notch < 40; ++notch) {
        const float before = further.eye[2];
        ApplyMouseWheel(further, -120);
        moves += further.eye[2] != before;
    }
    EXPECT_EQ(moves, 30);
    EXPECT_NEAR(Distance(further), 305.56f, 0.01f);
}

TEST(OrbitCameraZoom, OneNotchTowardsTheUserMovesTo153Point6) {
    OrbitCamera camera = ViewerCamera();
    ApplyMouseWheel(camera, -120);
    ExpectVector(camera.eye, 0, 0, 153.6f, 1e-4f, "eye");
}

TEST(OrbitCameraInactive, ZoomPitchAndYawChangeNothing) {
    OrbitCamera camera = ViewerCamera();
    camera.active = false;
    const OrbitCamera before = camera;
    camera.Zoom(0.5f);
    camera.Zoom(-0.5f);
    camera.Pitch(0.5f);
    camera.Yaw(0.5f);
    ExpectSameCamera(camera, before);
}

TEST(OrbitCameraNormalizeUp, ScalesToUnitLengthOrFallsBackToZ) {
    OrbitCamera camera;
    camera.up[0] = 0;
    camera.up[1] = 2;
    camera.up[2] = 0;
    camera.NormalizeUp();
    ExpectVector(camera.up, 0, 1, 0, 0, "up from (0, 2, 0)");

    camera.up[0] = camera.up[1] = camera.up[2] = 0;
    camera.NormalizeUp();
    ExpectVector(camera.up, 0, 0, 1, 0, "up from (0, 0, 0)");

    camera.up[0] = 3;
    camera.up[1] = 0;
    camera.up[2] = 4;
    camera.NormalizeUp(); // acts although the camera is inactive
    ExpectVector(camera.up, 0.6f, 0, 0.8f, 1e-7f, "up from (3, 0, 4)");
}

TEST(MouseOrbit, DragRightMovesTheEyeTowardsPlusX) {
    OrbitCamera camera = ViewerCamera();
    int16_t lastX = 500, lastY = 400;
    ApplyMouseOrbit(camera, true, 510, 400, lastX, lastY);
    EXPECT_GT(camera.eye[0], 0.0f);
    EXPECT_NEAR(camera.eye[0], 150.0f * std::sin(10 * 0.002f), 1e-3f);
    EXPECT_NEAR(camera.eye[1], 0.0f, 1e-6f);
    EXPECT_EQ(lastX, 510);
    EXPECT_EQ(lastY, 400);
}

TEST(MouseOrbit, DragDownMovesTheEyeTowardsMinusYAndTiltsUpTowardsPlusZ) {
    OrbitCamera camera = ViewerCamera();
    int16_t lastX = 500, lastY = 400;
    ApplyMouseOrbit(camera, true, 500, 420, lastX, lastY);
    EXPECT_LT(camera.eye[1], 0.0f);
    EXPECT_NEAR(camera.eye[1], -150.0f * std::sin(20 * 0.002f), 1e-3f);
    EXPECT_GT(camera.up[2], 0.0f);
    EXPECT_NEAR(camera.eye[0], 0.0f, 1e-6f);
}

TEST(MouseOrbit, YawsThenPitchesByTheDragAngle) {
    OrbitCamera camera = ViewerCamera();
    OrbitCamera expected = ViewerCamera();
    int16_t lastX = 100, lastY = 100;
    ApplyMouseOrbit(camera, true, 130, 85, lastX, lastY);
    expected.Yaw(static_cast<float>(30 * static_cast<double>(dragAngle)));
    expected.Pitch(static_cast<float>(-15 * static_cast<double>(dragAngle)));
    ExpectSameCamera(camera, expected);
}

TEST(MouseOrbit, WithoutTheLeftButtonOnlyThePositionIsRemembered) {
    OrbitCamera camera = ViewerCamera();
    const OrbitCamera before = camera;
    int16_t lastX = 0, lastY = 0;
    ApplyMouseOrbit(camera, false, 300, 200, lastX, lastY);
    ExpectSameCamera(camera, before);
    EXPECT_EQ(lastX, 300);
    EXPECT_EQ(lastY, 200);
    // Pressing the button where the mouse already is does not make the view jump.
    ApplyMouseOrbit(camera, true, 300, 200, lastX, lastY);
    ExpectSameCamera(camera, before);
}

TEST(MouseOrbit, MovementSinceTheLastCallIsAppliedAtOnce) {
    OrbitCamera camera = ViewerCamera();
    OrbitCamera expected = ViewerCamera();
    int16_t lastX = 10, lastY = 10;
    // Several frames' worth of movement while no update ran.
    ApplyMouseOrbit(camera, true, 260, -40, lastX, lastY);
    expected.Yaw(static_cast<float>(250 * static_cast<double>(dragAngle)));
    expected.Pitch(static_cast<float>(-50 * static_cast<double>(dragAngle)));
    ExpectSameCamera(camera, expected);
}

TEST(MouseOrbit, DifferencesAreSignExtendedAndTakenIn32Bits) {
    OrbitCamera camera = ViewerCamera();
    OrbitCamera expected = ViewerCamera();
    // A captured drag can leave the client area: positions are negative or large.
    int16_t lastX = -32768, lastY = 32767;
    ApplyMouseOrbit(camera, true, 32767, -32768, lastX, lastY);
    expected.Yaw(static_cast<float>(65535 * static_cast<double>(dragAngle)));
    expected.Pitch(static_cast<float>(-65535 * static_cast<double>(dragAngle)));
    ExpectSameCamera(camera, expected);
    EXPECT_EQ(lastX, 32767);
    EXPECT_EQ(lastY, -32768);
}

TEST(MouseOrbit, InactiveCameraIgnoresDragsButTracksThePointer) {
    OrbitCamera camera;
    const OrbitCamera before = camera;
    int16_t lastX = 0, lastY = 0;
    ApplyMouseOrbit(camera, true, 50, 60, lastX, lastY);
    ExpectSameCamera(camera, before);
    EXPECT_EQ(lastX, 50);
    EXPECT_EQ(lastY, 60);
}
