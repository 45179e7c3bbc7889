#include "render/TurnRecorder.h"

#include "export/FileWriters.h"
#include "hypercube/ScreenView.h"
#include "render/PictureDrawer.h"
#include "render/RenderRequest.h"

#include <algorithm>
#include <cstdio>
#include <numbers>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

bool TurnRecorder::Record(CTessary& screen, const RenderRequest& options, std::string* reason) {
    std::unique_ptr<ClipWriter> clip = FileWriters::OpenClip(options.renderFile, options.kind, options.width,
                                                             options.Height(), options.fps, reason);
    if (!clip)
        return false;
    // The keys turn the plane of the lower axis towards the higher one; Shift turns it back.
    const int low = std::min(options.turnFrom, options.turnTo);
    const int high = std::max(options.turnFrom, options.turnTo);
    const double wholeTurn = (options.turnBack ? -2.0 : 2.0) * std::numbers::pi;
    const bool progress = isatty(fileno(stderr)) != 0;
    for (int k = 0; k < options.frames; ++k) {
        View view = *options.view;
        view.TurnInPlane(low, high, wholeTurn * k / options.frames);
        ScreenView::TurnModel(screen, view);
        if (!clip->AddFrame(PictureDrawer::Draw(screen, options.width, options.panel, options.Palette()),
                            reason))
            return false;
        if (progress)
            std::fprintf(stderr, "\rtessary: frame %d of %d", k + 1, options.frames);
    }
    if (progress)
        std::fprintf(stderr, "\n");
    return clip->Finish(reason);
}
