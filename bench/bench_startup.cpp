// Start-up and idle cost.
//
// Start-up: from the moment a new process is started to its first swapped (and finished) frame, for
// the program's own start-up (window, AppContext, first screen, one frame step, as WinMain does)
// and for the same first frame made with SDL, FreeType and OpenGL alone (bench/RawPanel.h). The
// parent process starts itself again in either role, alternately, and reads the child's clock at its
// first frame; the monotonic clock is shared by all processes. With TESSARY_BENCH_FRAMES set to a
// directory, each child also writes its first frame there (program.ppm, reference.ppm), outside the
// timed part, to check that both draw the same picture.
//
// Idle: the program with its window unfocused runs its frame step (which then sleeps 300 ms a turn)
// for three seconds; the figure is the CPU time used as a share of one core.
#include "BenchSupport.h"
#include "bench/RawPanel.h"

#include "app/InputState.h"
#include "platform/PlatformShutdown.h"

#include <SDL.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

namespace {

constexpr int repetitions = 15;

// The clock at the end of the first frame, then how long that frame alone took.
void ReportFirstFrame(double frameStarted) {
    const double now = bench::NowMs();
    std::printf("%.3f %.3f\n", now, now - frameStarted);
    std::fflush(stdout);
}

// Draws the first frame again into the back buffer and writes it as a binary PPM, top row first.
template <class DrawFunction> void SaveFrame(const char* name, DrawFunction draw) {
    const char* dir = std::getenv("TESSARY_BENCH_FRAMES");
    if (!dir)
        return;
    draw();
    std::vector<uint8_t> rgb(1024 * 768 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    if (FILE* out = std::fopen((std::string(dir) + "/" + name + ".ppm").c_str(), "wb")) {
        std::fprintf(out, "P6\n1024 768\n255\n");
        for (int row = 767; row >= 0; --row)
            std::fwrite(&rgb[static_cast<size_t>(row) * 1024 * 3], 1, 1024 * 3, out);
        std::fclose(out);
    }
}

int ProgramChild() {
    bench::StartProgram();
    const double frameStarted = bench::NowMs();
    FrameStep();
    glFinish();
    ReportFirstFrame(frameStarted);
    SaveFrame("program", [] { DrawFrame(); });
    Shutdown();
    ShutdownPlatform();
    return 0;
}

int ReferenceChild() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    // The framebuffer the program asks for: RGBA 8 bits each, 24-bit depth, double-buffered,
    // compatibility profile.
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_Window* window = SDL_CreateWindow("reference", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 1024,
                                          768, SDL_WINDOW_OPENGL);
    if (!window)
        return 1;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context)
        return 1;
    {
        bench::RawPanel panel;
        if (!panel.Build())
            return 1;
        const double frameStarted = bench::NowMs();
        panel.Draw();
        SDL_GL_SwapWindow(window);
        glFinish();
        ReportFirstFrame(frameStarted);
        SaveFrame("reference", [&panel] { panel.Draw(); });
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

int IdleChild() {
    bench::StartProgram();
    FrameStep();
    inputState.paused = true;
    rusage before = {}, after = {};
    getrusage(RUSAGE_SELF, &before);
    const double start = bench::NowMs();
    while (bench::NowMs() - start < 3000.0)
        FrameStep();
    getrusage(RUSAGE_SELF, &after);
    const double wall = bench::NowMs() - start;
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    const double cpu = ms(after.ru_utime) - ms(before.ru_utime) + ms(after.ru_stime) - ms(before.ru_stime);
    std::printf("%.3f\n", 100.0 * cpu / wall);
    Shutdown();
    ShutdownPlatform();
    return 0;
}

// Starts this program again as `role`; returns the first number it prints and stores the second in
// `second`; the start time goes to `started`.
double RunChild(const char* self, const char* role, double& started, double* second = nullptr) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1.0;
    started = bench::NowMs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execl(self, self, role, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    ssize_t got;
    while ((got = read(pipeEnds[0], buffer, sizeof(buffer))) > 0)
        output.append(buffer, static_cast<size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (output.empty())
        return -1.0;
    char* rest = nullptr;
    const double first = std::strtod(output.c_str(), &rest);
    if (second)
        *second = std::strtod(rest, nullptr);
    return first;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "program") == 0)
        return ProgramChild();
    if (argc >= 2 && std::strcmp(argv[1], "reference") == 0)
        return ReferenceChild();
    if (argc >= 2 && std::strcmp(argv[1], "idle") == 0)
        return IdleChild();

    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (length <= 0)
        return 1;
    self[length] = '\0';
    std::vector<double> program, reference, programFrame, referenceFrame;
    for (int r = 0; r < repetitions; ++r) {
        double started = 0.0, frame = 0.0;
        program.push_back(RunChild(self, "program", started, &frame) - started);
        programFrame.push_back(frame);
        reference.push_back(RunChild(self, "reference", started, &frame) - started);
        referenceFrame.push_back(frame);
    }
    bench::Row("P4", "start-up to first frame", bench::Median(program), bench::Median(reference), "ms", 1.1,
               bench::PairedRatio(program, reference));
    // Where the time goes: the first frame alone, which on llvmpipe compiles a shader for every new
    // combination of state it uses, and everything before it.
    bench::Row("P4-detail", "  of which the first frame", bench::Median(programFrame),
               bench::Median(referenceFrame), "ms", 0.0, bench::PairedRatio(programFrame, referenceFrame));
    std::vector<double> programBefore, referenceBefore;
    for (int r = 0; r < repetitions; ++r) {
        programBefore.push_back(program[static_cast<size_t>(r)] - programFrame[static_cast<size_t>(r)]);
        referenceBefore.push_back(reference[static_cast<size_t>(r)] - referenceFrame[static_cast<size_t>(r)]);
    }
    bench::Row("P4-detail", "  start-up before the first frame", bench::Median(programBefore),
               bench::Median(referenceBefore), "ms", 0.0, bench::PairedRatio(programBefore, referenceBefore));
    double started = 0.0;
    const double idle = RunChild(self, "idle", started);
    // The limit is absolute: 1 % of a core.
    bench::Row("P5", "idle, unfocused (CPU % of a core)", idle, 1.0, "%", 1.0);
    return 0;
}
