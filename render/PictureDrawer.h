// Draws what the window would show into a picture of any width from 256 to 4096 at 4:3, without
// showing the window: tile by tile in the hidden window's own 1024 x 768 buffer, each tile through
// its part of the window's projection, so the picture never needs a buffer larger than the window
// (and nothing beyond OpenGL 1.1).
// Lines are as wide, fog and face labels as large relative to the picture as in the window.
#pragma once

#include "export/RgbaPicture.h"
#include "hypercube/ScenePalette.h"

class CTessary;

class PictureDrawer {
public:
    // The scene of `screen`, the active screen of the running program, `width` pixels wide; with
    // `panel` the controls and the frame counter too, as DrawFrame draws them; the scene and its
    // background in `palette`. Every pixel is opaque. Leaves the window's projection, overlay and
    // palette as they were.
    static RgbaPicture Draw(CTessary& screen, int width, bool panel,
                            const ScenePalette& palette = ScenePalette::Dark());
};
