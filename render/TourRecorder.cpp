#include "render/TourRecorder.h"

#include "export/FileWriters.h"
#include "hypercube/ScreenView.h"
#include "render/PictureDrawer.h"
#include "render/RenderRequest.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

bool TourRecorder::Record(CTessary& screen, const RenderRequest& options, std::string* reason) {
    std::unique_ptr<ClipWriter> clip = FileWriters::OpenClip(options.renderFile, options.kind, options.width,
                                                             options.Height(), options.fps, reason);
    if (!clip)
        return false;
    const Tour& tour = options.tour;
    const bool progress = isatty(fileno(stderr)) != 0;
    for (int k = 0; k < tour.FrameCount(); ++k) {
        // Every view of a tour is made from the checked start by exact rotations: it is shown as
        // it is, as a turn of the keys would leave it.
        ScreenView::Show(screen, tour.At(k).view);
        if (!clip->AddFrame(PictureDrawer::Draw(screen, options.width, options.panel, options.Palette()),
                            reason))
            return false;
        if (progress)
            std::fprintf(stderr, "\rtessary: frame %d of %d", k + 1, tour.FrameCount());
    }
    if (progress)
        std::fprintf(stderr, "\n");
    return clip->Finish(reason);
}
