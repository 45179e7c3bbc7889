// The depth key and back-to-front ordering of faces; pure arithmetic, no GL needed.
#include "hypercube/HypercubeModel.h"
#include "hypercube/HypercubeRenderer.h"
#include "hypercube/OrbitCamera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

void BuildCube(HypercubeModel& model, int32_t n) {
    model.BuildCountTables();
    model.BuildWithoutLabels(n);
    model.built = true;
}

void FillIdentityOrder(HypercubeModel& model) {
    std::iota(model.drawOrder, model.drawOrder + model.faceCount, 0);
}

} // namespace

TEST(FaceDepthKey, FromTheStartUpCameraTheBackFaceIsFarthestAndTheFrontFaceNearest) {
    HypercubeModel model;
    BuildCube(model, 3);
    OrbitCamera camera;
    SetUpViewerCamera(camera);
    // Corner sums: z = -100 for face 0, +100 for face 1, 0 for the four side faces.
    EXPECT_EQ(FaceDepthKey(model, 0, camera.eye), (-100.0f - 150.0f) * -150.0f);
    EXPECT_EQ(FaceDepthKey(model, 1, camera.eye), (100.0f - 150.0f) * -150.0f);
    for (int32_t m = 2; m < 6; ++m)
        EXPECT_EQ(FaceDepthKey(model, m, camera.eye), -150.0f * -150.0f) << "face " << m;
}

TEST(FaceDepthKey, UsesOnlyTheFirstThreeCoordinates) {
    HypercubeModel model;
    BuildCube(model, 4);
    OrbitCamera camera;
    SetUpViewerCamera(camera);
    // Faces 6 to 11 are faces 0 to 5 moved along axis 3, which is not drawn.
    for (int32_t m = 0; m < 6; ++m)
        EXPECT_EQ(FaceDepthKey(model, m + 6, camera.eye), FaceDepthKey(model, m, camera.eye)) << "face " << m;
}

TEST(SortFaces, StartUpThreeCubeDrawsFace0FirstAndFace1LastKeepingTiesInOrder) {
    HypercubeModel model;
    BuildCube(model, 3);
    OrbitCamera camera;
    SetUpViewerCamera(camera);
    FillIdentityOrder(model);
    SortFaces(model, camera);
    const std::vector<int32_t> order(model.drawOrder, model.drawOrder + 6);
    EXPECT_EQ(order, (std::vector<int32_t>{0, 2, 3, 4, 5, 1}));
}

TEST(SortFaces, KeysNeverIncreaseAlongTheOrderForATurnedSixCube) {
    HypercubeModel model;
    BuildCube(model, 6);
    model.RotatePlane(0, 3, 0.7f);
    model.RotatePlane(1, 4, -0.4f);
    model.RotatePlane(2, 5, 1.9f);
    model.RotatePlane(0, 2, 0.3f);
    OrbitCamera camera;
    SetUpViewerCamera(camera);
    camera.Yaw(0.8f);
    camera.Pitch(-0.5f);
    FillIdentityOrder(model);
    SortFaces(model, camera);

    std::vector<int32_t> sorted(model.drawOrder, model.drawOrder + model.faceCount);
    for (int32_t i = 1; i < model.faceCount; ++i)
        ASSERT_GE(FaceDepthKey(model, sorted[i - 1], camera.eye), FaceDepthKey(model, sorted[i], camera.eye))
            << "positions " << i - 1 << " and " << i << " (faces " << sorted[i - 1] << ", " << sorted[i]
            << ")";
    std::sort(sorted.begin(), sorted.end());
    std::vector<int32_t> all(model.faceCount);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(sorted, all) << "the order must hold every face exactly once";
}
