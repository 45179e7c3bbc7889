#include "tests/model/ModelSupport.h"

#include "hypercube/HypercubeModel.h"
#include "hypercube/OrbitCamera.h"

std::vector<std::pair<int, int>> EveryPlane(int n) {
    std::vector<std::pair<int, int>> planes;
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            planes.push_back({a, b});
    return planes;
}

ModelSource CubeSource(int n, bool faces, const std::vector<std::pair<int, int>>& planes, double angle) {
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(n);
    model.built = true;
    for (const auto& [a, b] : planes)
        model.RotatePlane(a, b, static_cast<float>(angle));
    OrbitCamera camera;
    SetUpViewerCamera(camera);
    return ModelSource::Of(model, faces, camera, "v1.test", false);
}
