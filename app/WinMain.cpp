#include "app/AppContext.h"
#include "app/CommandLine.h"
#include "app/Shell.h"

#include <cstdio>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand) {
    (void)previousInstance;
    (void)showCommand;

    int exitCode = 0;
    if (AnswerCommandLine(commandLine, &exitCode))
        return exitCode;

    // Without a window or a GL context nothing can be shown at all; say so and fail, rather than
    // end silently with the exit code of success.
    if (!CreateMainWindow(instance)) {
        std::fprintf(stderr, "tessary: cannot create the main window (is a display available?)\n");
        return 1;
    }
    application = new AppContext();
    if (!application->glContext) {
        std::fprintf(stderr, "tessary: cannot create an OpenGL context for the main window\n");
        Shutdown();
        return 1;
    }
    InitScene();
    while (FrameStep()) {
    }
    Shutdown();
    return 0;
}
