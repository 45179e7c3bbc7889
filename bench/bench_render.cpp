// tessary --render against the window: the whole process that draws the 8-cube with faces into a
// PNG file, against the whole process that starts the program in its window, shows the same view
// and draws one frame of it (the start-up benchmark's program side with that view). Both are
// started anew each time and timed from fork to exit; the pairs run back to back, alternately.
#include "BenchSupport.h"

#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"
#include "platform/PlatformShutdown.h"

#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int repetitions = 7;

std::string EightCubeView() {
    View view;
    view.dimension = 8;
    view.wireframe = false;
    for (int a = 0; a < 8; ++a)
        view.TurnInPlane(a, (a + 3) % 8, 0.3 + 0.1 * a);
    return ViewText::Format(view);
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

// Runs the program and waits for it; the milliseconds from fork to its exit, or -1 on failure.
double TimeProcess(const std::vector<std::string>& arguments) {
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
    waitpid(child, &status, 0);
    const double ended = bench::NowMs();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ended - started : -1.0;
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
    return 0;
}
