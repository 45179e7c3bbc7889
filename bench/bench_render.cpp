// tessary --render against the window: the whole process that draws the 8-cube with faces into a
// PNG file, against the whole process that starts the program in its window, shows the same view
// and draws one frame of it (the start-up benchmark's program side with that view). Both are
// started anew each time and timed from fork to exit; the pairs run back to back, alternately.
// Then the figures: the same view as SVG, PDF and TikZ, each against the PNG, in time and in peak
// memory (the children's own largest resident size), and the files' sizes against their limits; and
// the 3-D models of the same view, GLB, STL, 3MF and OBJ, each at most half the PNG's time.
#include "BenchSupport.h"

#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"
#include "platform/PlatformShutdown.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int repetitions = 7;

std::string CubeView(int n) {
    View view;
    view.dimension = n;
    view.wireframe = false;
    for (int a = 0; a < n; ++a)
        view.TurnInPlane(a, (a + 3) % n, 0.3 + 0.1 * a);
    return ViewText::Format(view);
}

std::string EightCubeView() {
    return CubeView(8);
}

double FileMb(const std::string& path) {
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 ? info.st_size / 1e6 : -1.0;
}

int WindowChild() {
    CTessary* screen = bench::StartProgram();
    View view;
    ViewText::Parse(EightCubeView(), &view, nullptr);
    ScreenView::Apply(*screen, view, nullptr);
    FrameStep();
    glFinish();
    Shutdown();
    ShutdownPlatform();
    return 0;
}

// Runs the program and waits for it; the milliseconds from fork to its exit, or -1 on failure. The
// child's peak resident size in MB goes to *peakMb when asked.
double TimeProcess(const std::vector<std::string>& arguments, double* peakMb = nullptr) {
    const double started = bench::NowMs();
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage = {};
    wait4(child, &status, 0, &usage);
    const double ended = bench::NowMs();
    if (peakMb)
        *peakMb = usage.ru_maxrss / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ended - started : -1.0;
}

// The figures of the 8-cube with faces against its PNG, and the sizes of the files.
int FigureRows(const std::string& program) {
    const std::string stem = "/tmp/bench-figure-" + std::to_string(getpid());
    const std::string view = EightCubeView();
    struct Kind {
        const char* extension;
        const char* name;
        double sizeLimitMb;
        const char* figure = "V2";
        double timeTarget = 1.0; // of the PNG's time
        std::vector<double> ms, png, peak, pngPeak;
    };
    Kind kinds[] = {{".svg", "SVG", 4.0},
                    {".pdf", "PDF", 2.0},
                    {".tex", "TikZ", 6.0},
                    {".glb", "GLB", 2.0, "M1", 0.5},
                    {".stl", "STL", 3.0, "M1", 0.5},
                    {".3mf", "3MF", 1.5, "M1", 0.5},
                    {".obj", "OBJ", 6.0, "M1", 0.5}};
    for (int r = 0; r < repetitions; ++r)
        for (Kind& kind : kinds) {
            double peak = 0.0, pngPeak = 0.0;
            kind.ms.push_back(
                TimeProcess({program, "--render", stem + kind.extension, "--view", view}, &peak));
            kind.png.push_back(TimeProcess({program, "--render", stem + ".png", "--view", view}, &pngPeak));
            kind.peak.push_back(peak);
            kind.pngPeak.push_back(pngPeak);
            if (kind.ms.back() < 0.0 || kind.png.back() < 0.0) {
                std::fprintf(stderr, "bench_render: a figure child failed\n");
                return 1;
            }
        }
    for (Kind& kind : kinds) {
        bench::Row(kind.figure, std::string("--render 8-cube faces to ") + kind.name + " / to PNG",
                   bench::Median(kind.ms), bench::Median(kind.png), "ms", kind.timeTarget,
                   bench::PairedRatio(kind.ms, kind.png));
        bench::Row(kind.figure, std::string("peak RSS of the ") + kind.name + " render / of the PNG render",
                   bench::Median(kind.peak), bench::Median(kind.pngPeak), "MB", 1.0);
        bench::Row(kind.figure, std::string("size of the 8-cube's ") + kind.name + " / its limit",
                   FileMb(stem + kind.extension), kind.sizeLimitMb, "MB", 1.0);
        std::remove((stem + kind.extension).c_str());
    }
    if (TimeProcess({program, "--render", stem + ".svg", "--view", CubeView(4)}) < 0.0)
        return 1;
    bench::Row("V2", "size of the 4-cube's SVG at 1024 / its limit", FileMb(stem + ".svg") * 1000.0, 150.0,
               "kB", 1.0);
    std::remove((stem + ".svg").c_str());
    std::remove((stem + ".png").c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "window") == 0)
        return WindowChild();
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (length <= 0)
        return 1;
    self[length] = '\0';
    const std::string me = self;
    const std::string program = me.substr(0, me.rfind('/')) + "/tessary";
    const std::string picture = "/tmp/bench-render-" + std::to_string(getpid()) + ".png";
    const std::string view = EightCubeView();

    std::vector<double> render, window;
    for (int r = 0; r < repetitions; ++r) {
        render.push_back(TimeProcess({program, "--render", picture, "--view", view}));
        window.push_back(TimeProcess({me, "window"}));
        if (render.back() < 0.0 || window.back() < 0.0) {
            std::fprintf(stderr, "bench_render: a child failed\n");
            return 1;
        }
    }
    std::remove(picture.c_str());
    bench::Row("V1", "--render 8-cube faces to PNG / start-up + one frame", bench::Median(render),
               bench::Median(window), "ms", 1.5, bench::PairedRatio(render, window));
    return FigureRows(program);
}
