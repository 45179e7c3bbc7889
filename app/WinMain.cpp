#include "app/CommandLine.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"
#ifdef TESSARY_HAVE_FILE_OUTPUT
#include "render/RenderCommand.h"
#endif

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand) {
    (void)previousInstance;
    (void)showCommand;

    int exitCode = 0;
    CommandLine options;
    if (CommandLine::Answer(commandLine, &options, &exitCode))
        return exitCode;
    if (!options.request.renderFile.empty()) {
#ifdef TESSARY_HAVE_FILE_OUTPUT
        return RenderCommand::Run(instance, options.request);
#else
        std::fprintf(stderr, "tessary: this build writes no files; --render is not available\n");
        return 2;
#endif
    }

    std::string reason;
    if (!StartProgram(instance, true, &reason)) {
        std::fprintf(stderr, "tessary: %s\n", reason.c_str());
        return 1;
    }
    CTessary* screen = CTessary::Active();
    // The command line has checked the view already, and no message box can be open yet.
    if (options.hasView)
        ScreenView::Apply(*screen, options.request.view, options.request.viewText, nullptr);
    while (FrameStep()) {
    }
    if (options.printView) {
        std::printf("%s\n", ScreenView::Peek(*screen).c_str());
        std::fflush(stdout);
    }
    EndProgram();
    return 0;
}
