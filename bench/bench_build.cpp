// Hypercube builds and what they keep.
//
//   bench_build time              click-to-first-frame of generating 3 .. 8 (the build with its face
//                                 labels and the first frame after it) next to raw FreeType rendering
//                                 and uploading the same labels
//   bench_build memory program    peak resident set after generating 8, then after ten more
//   bench_build memory reference  peak resident set of a process holding the same label textures made
//                                 with FreeType and OpenGL alone
// Peak memory is a property of a whole process, so each side of the memory figure runs alone; the
// harness starts both and divides.
#include "BenchSupport.h"

#include "platform/PlatformShutdown.h"

#include <cstring>

namespace {

constexpr int repetitions = 5;

int Time() {
    CTessary* screen = bench::StartProgram();
    bench::RawLabels raw;
    if (!raw.Ok()) {
        std::fprintf(stderr, "cwTeXYen is not installed\n");
        return 1;
    }
    for (int n = 3; n <= 8; ++n) {
        std::vector<double> program, reference;
        int32_t faces = 0;
        for (int r = 0; r < repetitions; ++r) {
            // Every build replaces a 3-cube, so each run frees the same small set of labels.
            bench::Generate(*screen, 3);
            FrameStep();
            glFinish();
            double start = bench::NowMs();
            bench::Generate(*screen, n);
            FrameStep();
            glFinish();
            program.push_back(bench::NowMs() - start);
            faces = screen->model.faceCount;

            raw.Clear();
            glFinish();
            start = bench::NowMs();
            raw.Build(faces);
            reference.push_back(bench::NowMs() - start);
        }
        raw.Clear();
        bench::Row(n == 8 ? "P2" : "P2-table",
                   "generate " + std::to_string(n) + " (" + std::to_string(faces) + " labels)",
                   bench::Median(program), bench::Median(reference), "ms", n == 8 ? 1.5 : 0.0,
                   bench::PairedRatio(program, reference));
    }
    Shutdown();
    ShutdownPlatform();
    return 0;
}

// Prints "MEMORY <peak after one> <peak after eleven> <texel MB>" for the harness.
int MemoryProgram() {
    CTessary* screen = bench::StartProgram();
    FrameStep();
    bench::Generate(*screen, 8);
    FrameStep();
    glFinish();
    const double first = bench::StatusMegabytes("VmHWM");
    const double texels = bench::LabelTexelBytes(screen->model) / (1024.0 * 1024.0);
    for (int i = 0; i < 10; ++i) {
        bench::Generate(*screen, 8);
        FrameStep();
        glFinish();
    }
    std::printf("MEMORY\t%.1f\t%.1f\t%.1f\n", first, bench::StatusMegabytes("VmHWM"), texels);
    Shutdown();
    ShutdownPlatform();
    return 0;
}

// The same window and context, no screen: 1792 label textures made raw, then one frame.
int MemoryReference() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (!CreateMainWindow(GetModuleHandleW(nullptr)))
        return 1;
    application = new AppContext();
    if (!application->glContext)
        return 1;
    {
        bench::RawLabels raw;
        if (!raw.Ok())
            return 1;
        raw.Build(1792);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SwapBuffers(application->deviceContext);
        glFinish();
        const double peak = bench::StatusMegabytes("VmHWM");
        std::printf("MEMORY\t%.1f\t%.1f\t%.1f\n", peak, peak, raw.texelBytes / (1024.0 * 1024.0));
    }
    Shutdown();
    ShutdownPlatform();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "time") == 0)
        return Time();
    if (argc >= 3 && std::strcmp(argv[1], "memory") == 0)
        return std::strcmp(argv[2], "reference") == 0 ? MemoryReference() : MemoryProgram();
    std::fprintf(stderr, "usage: bench_build time | memory program | memory reference\n");
    return 2;
}
