// What to draw into a file without a window: the view, the file and its kind, its width, its palette
// and, for a clip, the turn. The command line fills one in; render/ draws and writes it.
#pragma once

#include "export/FileKinds.h"
#include "hypercube/CheckedView.h"
#include "hypercube/ScenePalette.h"
#include "tour/Tour.h"

#include <string>

struct RenderRequest {
    CheckedView view;
    // The view's text as given, which a figure carries: read again it gives the same view, while
    // the view read, written out, may round an entry the other way. Empty without --view.
    std::string viewText;
    std::string renderFile; // the picture, figure or clip to write
    // The kind of file renderFile names, found once from its extension by the command line. Null only
    // for a clip of no kind, which the clip's writer then refuses with the kinds it has.
    const FileKind* kind = nullptr;
    int width = WindowLens::windowWidth; // at the lens's aspect
    bool panel = false;                  // keep the panel and the frame counter in the picture
    bool light = false;                  // black edges on white, for print, rather than the window's colours
    bool turning = false;                // a clip: --turn, or --tour
    int turnFrom = 0;
    int turnTo = 1;
    bool turnBack = false; // the other way, as with Shift
    int frames = 120;
    double fps = 30.0;
    // The clip's frames, timed by the command line: the --tour, or --turn's whole turn.
    Tour tour;
    double modelSize = FileKinds::modelSize; // millimetres, the largest extent of a model
    double strut = 0.0;                      // millimetres; 0 for FileKinds::strutShare of the size

    int Height() const { return FileKinds::PictureHeight(width); }
    bool Figure() const { return kind && kind->use == FileUse::figure; }
    bool Model() const { return kind && kind->use == FileUse::model; }
    double Strut() const { return strut > 0.0 ? strut : FileKinds::strutShare * modelSize; }
    ScenePalette Palette() const { return light ? ScenePalette::Light() : ScenePalette::Dark(); }
};
