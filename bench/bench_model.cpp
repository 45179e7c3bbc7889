// Costs of the hypercube model: building each dimension the viewer offers, with and without the
// per-face label textures, one rotation pass and one depth sort at the largest dimension.
#include "app/GlWindow.h"
#include "hypercube/HypercubeModel.h"
#include "hypercube/HypercubeRenderer.h"
#include "hypercube/OrbitCamera.h"
#include "platform/Gl.h"
#include "platform/core/PlatformTesting.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace {

void BM_BuildWithoutLabels(benchmark::State& state) {
    const int32_t n = static_cast<int32_t>(state.range(0));
    HypercubeModel model;
    model.BuildCountTables();
    for (auto _ : state) {
        model.BuildWithoutLabels(n);
        benchmark::DoNotOptimize(model.vertices);
    }
    state.counters["faces"] = model.faceCount;
}
BENCHMARK(BM_BuildWithoutLabels)->DenseRange(3, 8)->Unit(benchmark::kMicrosecond);

void BM_BuildWithLabels(benchmark::State& state) {
    const int32_t n = static_cast<int32_t>(state.range(0));
    HypercubeModel model;
    model.BuildCountTables();
    for (auto _ : state) {
        // The model keeps the labels it has, so each build starts from none to time all of them.
        state.PauseTiming();
        model.faceLabels.Clear();
        state.ResumeTiming();
        model.Build(n);
        benchmark::DoNotOptimize(model.faceLabels.Count());
    }
    state.counters["faces"] = model.faceCount;
    state.counters["seconds_per_label"] = benchmark::Counter(
        static_cast<double>(model.faceCount) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_BuildWithLabels)->DenseRange(3, 8)->Unit(benchmark::kMillisecond);

void BM_RotatePlaneEightCube(benchmark::State& state) {
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(8);
    model.built = true;
    for (auto _ : state) {
        model.RotatePlane(1, 6, 0.016f);
        benchmark::ClobberMemory();
    }
    state.counters["vertices"] = model.vertexCount;
}
BENCHMARK(BM_RotatePlaneEightCube);

void BM_SortFacesEightCube(benchmark::State& state) {
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(8);
    model.built = true;
    model.RotatePlane(0, 3, 0.7f);
    model.RotatePlane(1, 5, 0.4f);
    model.RotatePlane(2, 7, -0.9f);
    OrbitCamera camera;
    SetUpViewerCamera(camera);
    camera.Yaw(0.6f);
    camera.Pitch(0.3f);
    for (auto _ : state) {
        // As the face pass does every frame: start from face order, then sort.
        std::iota(model.drawOrder, model.drawOrder + model.faceCount, 0);
        SortFaces(model, camera);
        benchmark::ClobberMemory();
    }
    state.counters["faces"] = model.faceCount;
}
BENCHMARK(BM_SortFacesEightCube)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    platform_testing::SuppressSystemDialogs(true);
    const GlWindow gl(1024, 768);
    if (!gl.Ok()) {
        std::fprintf(stderr, "bench_model: no OpenGL context\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
