#include "app/AppContext.h"
#include "app/CommandLine.h"
#include "render/RenderCommand.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"

#include <cstdio>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand) {
    (void)previousInstance;
    (void)showCommand;

    int exitCode = 0;
    CommandLine options;
    if (CommandLine::Answer(commandLine, &options, &exitCode))
        return exitCode;
    if (!options.renderFile.empty()) {
#ifdef TESSARY_HAVE_FILE_OUTPUT
        return RenderCommand::Run(instance, options);
#else
        std::fprintf(stderr, "tessary: this build writes no files; --render is not available\n");
        return 2;
#endif
    }

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
    CTessary* screen = static_cast<CTessary*>(application->screenManager->ActiveScreen());
    // The command line has checked the view already, and no message box can be open yet.
    if (options.hasView)
        ScreenView::Apply(*screen, options.view, nullptr);
    while (FrameStep()) {
    }
    if (options.printView) {
        std::printf("%s\n", ViewText::Format(ScreenView::Capture(*screen)).c_str());
        std::fflush(stdout);
    }
    Shutdown();
    return 0;
}
