// Clip cost: 120 frames of the 5-cube with faces, turning one whole turn in the plane of axes 0 and
// 3, drawn as the window draws them, read back and written as an animated WebP, per frame, against
// one frame of the window (the frame step, swap included) of the same model.
#include "BenchSupport.h"

#include "app/ClipWriter.h"
#include "app/PictureFile.h"
#include "gui/QV_CheckBox.h"
#include "platform/PlatformShutdown.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

constexpr int clipFrames = 120;
constexpr int windowFrames = 15;
constexpr double clipFps = 30.0;

// The frame as the window draws it, without the swap, read back top row first.
void DrawInto(RgbaPicture& picture) {
    DrawFrame();
    glReadPixels(0, 0, picture.width, picture.height, GL_RGBA, GL_UNSIGNED_BYTE, picture.pixels.data());
    const size_t row = static_cast<size_t>(picture.width) * 4;
    std::vector<uint8_t> swap(row);
    for (int y = 0; y < picture.height / 2; ++y) {
        uint8_t* top = picture.Row(y);
        uint8_t* bottom = picture.Row(picture.height - 1 - y);
        std::memcpy(swap.data(), top, row);
        std::memcpy(top, bottom, row);
        std::memcpy(bottom, swap.data(), row);
    }
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

    std::vector<double> window;
    for (int i = 0; i < windowFrames; ++i) {
        const double start = bench::NowMs();
        FrameStep();
        glFinish();
        window.push_back(bench::NowMs() - start);
    }

    const std::string folder = keep.empty() ? std::filesystem::temp_directory_path().string() : keep;
    const std::string path = folder + "/tessary-bench-clip.webp";
    RgbaPicture frame(clientWidth, clientHeight);
    std::string reason;
    const double start = bench::NowMs();
    std::unique_ptr<ClipWriter> clip = ClipWriter::Open(path, clientWidth, clientHeight, clipFps, &reason);
    bool ok = clip != nullptr;
    const float step = 2.0f * static_cast<float>(M_PI) / clipFrames;
    for (int i = 0; ok && i < clipFrames; ++i) {
        if (i > 0)
            screen->model.RotatePlane(0, 3, step);
        DrawInto(frame);
        ok = clip->AddFrame(frame, &reason);
        if (i == 0 && !keep.empty())
            WritePngFile(keep + "/tessary-bench-clip-first.png", frame, nullptr);
    }
    ok = ok && clip->Finish(&reason);
    const double perFrame = (bench::NowMs() - start) / clipFrames;
    if (!ok) {
        std::fprintf(stderr, "bench_clip: %s\n", reason.c_str());
        return 1;
    }
    std::fprintf(stderr, "bench_clip: %s, %.0f kB\n", path.c_str(),
                 std::filesystem::file_size(path) / 1024.0);
    if (keep.empty())
        std::filesystem::remove(path);
    bench::Row("P7", "5-cube faces turning to animated WebP, per frame / window frame", perFrame,
               bench::Median(window), "ms", 1.5);
    Shutdown();
    ShutdownPlatform();
    return 0;
}
