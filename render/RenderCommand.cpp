#include "render/RenderCommand.h"

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "export/FileWriters.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScreenView.h"
#include "render/PictureDrawer.h"
#include "render/RenderRequest.h"
#include "render/TurnRecorder.h"

#include <cstdio>
#include <string>

int RenderCommand::Run(HINSTANCE instance, const RenderRequest& options) {
    if (!CreateMainWindow(instance, false)) {
        std::fprintf(stderr, "tessary: cannot create a hidden window to draw in\n");
        return 1;
    }
    application = new AppContext();
    if (!application->glContext) {
        std::fprintf(stderr, "tessary: cannot create an OpenGL context to draw in\n");
        Shutdown();
        return 1;
    }
    InitScene();
    CTessary* screen = static_cast<CTessary*>(application->screenManager->ActiveScreen());
    std::string reason;
    int exitCode = 0;
    if (!ScreenView::Apply(*screen, options.view, &reason)) {
        std::fprintf(stderr, "tessary: cannot show the view: %s\n", reason.c_str());
        exitCode = 1;
    } else {
        exitCode = Write(*screen, options);
    }
    Shutdown();
    // The viewer's window goes with the default handling of WM_CLOSE; this hidden one is closed by
    // nobody else.
    DestroyWindow(mainWindow);
    mainWindow = nullptr;
    return exitCode;
}

int RenderCommand::Write(CTessary& screen, const RenderRequest& options) {
    std::string reason;
    if (options.turning) {
        if (TurnRecorder::Record(screen, options, &reason))
            return 0;
    } else if (FileWriters::WritePicture(
                   options.renderFile, PictureDrawer::Draw(screen, options.width, options.panel), &reason)) {
        return 0;
    }
    std::fprintf(stderr, "tessary: %s\n", reason.c_str());
    return 1;
}
