// Clip cost: 120 frames of the 5-cube with faces, turning one whole turn in the plane of axes 0 and
// 3, drawn and read back by PictureDrawer as --turn draws them (the window's frame, panel included)
// and written as an animated WebP, per frame, against one frame of the window (the frame step, swap
// included) of the same model.
#include "BenchSupport.h"

#include "export/FileWriters.h"
#include "export/PictureFile.h"
#include "gui/QV_CheckBox.h"
#include "platform/PlatformShutdown.h"
#include "render/PictureDrawer.h"

#include <time.h>

#include <cmath>
#include <filesystem>
#include <memory>

namespace {

constexpr int clipFrames = 120;
constexpr int windowFrames = 15;
constexpr double clipFps = 30.0;

// CPU time of the whole process, llvmpipe's and the encoder's threads included: on a shared machine
// the wall clock mostly measures the other programs.
double ProcessCpuMs() {
    timespec now = {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

// Times windowFrames frames of the window (the frame step, swap included), each to `wall`; returns
// their CPU time per frame.
double WindowFrames(std::vector<double>* wall) {
    const double cpuStart = ProcessCpuMs();
    for (int i = 0; i < windowFrames; ++i) {
        const double start = bench::NowMs();
        FrameStep();
        glFinish();
        wall->push_back(bench::NowMs() - start);
    }
    return (ProcessCpuMs() - cpuStart) / windowFrames;
}

} // namespace

int main(int argc, char** argv) {
    // With a folder argument the clip and its first frame stay there to be looked at.
    const std::string keep = argc > 1 ? argv[1] : "";
    CTessary* screen = bench::StartProgram();
    bench::Generate(*screen, 5);
    bench::Pose(screen->model);
    screen->wireframeBox->checked = false;
    FrameStep(); // textures reach llvmpipe's memory on first use
    glFinish();

    // The window's frames are timed before and after the clip: the machine is shared, and a change of
    // its load while the clip is made then weighs on both sides.
    std::vector<double> window;
    double windowCpu = WindowFrames(&window);

    const std::string folder = keep.empty() ? std::filesystem::temp_directory_path().string() : keep;
    const std::string path = folder + "/tessary-bench-clip.webp";
    RgbaPicture frame(clientWidth, clientHeight);
    std::string reason;
    const double start = bench::NowMs();
    const double clipCpuStart = ProcessCpuMs();
    std::unique_ptr<ClipWriter> clip =
        FileWriters::OpenClip(path, clientWidth, clientHeight, clipFps, &reason);
    bool ok = clip != nullptr;
    const float step = 2.0f * static_cast<float>(M_PI) / clipFrames;
    double drawing = 0.0, encoding = 0.0;
    for (int i = 0; ok && i < clipFrames; ++i) {
        if (i > 0)
            screen->model.RotatePlane(0, 3, step);
        const double drawStart = bench::NowMs();
        frame = PictureDrawer::Draw(*screen, clientWidth, true);
        const double encodeStart = bench::NowMs();
        ok = clip->AddFrame(frame, &reason);
        encoding += bench::NowMs() - encodeStart;
        drawing += encodeStart - drawStart;
        if (i == 0 && !keep.empty())
            WritePngFile(keep + "/tessary-bench-clip-first.png", frame, nullptr);
    }
    ok = ok && clip->Finish(&reason);
    const double perFrame = (bench::NowMs() - start) / clipFrames;
    const double perFrameCpu = (ProcessCpuMs() - clipCpuStart) / clipFrames;
    windowCpu = (windowCpu + WindowFrames(&window)) / 2.0;
    if (!ok) {
        std::fprintf(stderr, "bench_clip: %s\n", reason.c_str());
        return 1;
    }
    std::fprintf(stderr, "bench_clip: %s, %.0f kB; per frame %.1f ms drawing and reading, %.1f ms encoding\n",
                 path.c_str(), std::filesystem::file_size(path) / 1024.0, drawing / clipFrames,
                 encoding / clipFrames);
    if (keep.empty())
        std::filesystem::remove(path);
    bench::Row("P7", "5-cube faces turning to animated WebP, per frame / window frame", perFrame,
               bench::Median(window), "ms", 1.5);
    bench::Row("P7-cpu", "the same, CPU time of all the process's threads", perFrameCpu, windowCpu, "ms",
               0.0);
    Shutdown();
    ShutdownPlatform();
    return 0;
}
