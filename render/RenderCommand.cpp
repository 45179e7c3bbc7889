#include "render/RenderCommand.h"

#include "app/Shell.h"
#include "export/FileWriters.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScreenView.h"
#include "render/FigureCommand.h"
#include "render/ModelCommand.h"
#include "render/PictureDrawer.h"
#include "render/RenderRequest.h"
#include "render/TourRecorder.h"

#include <cstdio>
#include <string>

int RenderCommand::Run(HINSTANCE instance, const RenderRequest& options) {
    std::string reason;
    if (!StartProgram(instance, false, &reason)) {
        std::fprintf(stderr, "tessary: %s\n", reason.c_str());
        return 1;
    }
    CTessary* screen = CTessary::Active();
    // A figure draws no frame and traces its numbers from the label rasters, a model has no numbers:
    // no textures.
    if (options.Figure() || options.Model())
        screen->SetLabelTextures(false);
    // The view was checked on its way in and no message box can be open yet: it is shown.
    if (options.viewText.empty())
        ScreenView::Apply(*screen, options.view, nullptr);
    else
        ScreenView::Apply(*screen, options.view, options.viewText, nullptr);
    const int exitCode = Write(*screen, options);
    EndProgram();
    return exitCode;
}

int RenderCommand::Write(CTessary& screen, const RenderRequest& options) {
    std::string reason;
    if (options.turning) {
        if (TourRecorder::Record(screen, options, &reason))
            return 0;
    } else if (options.Figure()) {
        if (FigureCommand::Write(screen, options, &reason))
            return 0;
    } else if (options.Model()) {
        if (ModelCommand::Write(screen, options, &reason))
            return 0;
    } else if (FileWriters::WritePicture(
                   options.renderFile, options.kind,
                   PictureDrawer::Draw(screen, options.width, options.panel, options.Palette()), &reason)) {
        return 0;
    }
    std::fprintf(stderr, "tessary: %s\n", reason.c_str());
    return 1;
}
