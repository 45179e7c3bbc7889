// What to draw into a file without a window: the view, the file, its width, its palette and, for a
// clip, the turn. The command line fills one in; render/ draws and writes it.
#pragma once

#include "export/FileKinds.h"
#include "hypercube/CheckedView.h"
#include "hypercube/ScenePalette.h"

#include <string>

struct RenderRequest {
    CheckedView view;
    // The view's text as given, which a figure carries: read again it gives the same view, while
    // the view read, written out, may round an entry the other way. Empty without --view.
    std::string viewText;
    std::string renderFile; // the picture or clip to write
    int width = 1024;       // at 4:3
    bool panel = false;     // keep the panel and the frame counter in the picture
    bool light = false;     // black edges on white, for print, rather than the window's colours
    bool turning = false;   // one whole turn in the plane of turnFrom and turnTo: a clip
    int turnFrom = 0;
    int turnTo = 1;
    bool turnBack = false; // the other way, as with Shift
    int frames = 120;
    double fps = 30.0;

    int Height() const { return FileKinds::PictureHeight(width); }
    ScenePalette Palette() const { return light ? ScenePalette::Light() : ScenePalette::Dark(); }
};
