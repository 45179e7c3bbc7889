// The numbers of the faces as outlines, traced from the same raster the window's label textures are
// made of. A label texture is an opaque white tile (texel alpha 1) whose digits are cut out (alpha
// 0); the rim of each digit, where the glyph's edge is partly covered, is black with the coverage
// as alpha. Under the bilinear filter that gives three regions, each traced as closed lines in
// texture coordinates (s, t from 0 to 1 across the whole power-of-two tile, t = 0 at the top):
//   - the tile: where at least half the filter's weight is on white texels (outside `paper`);
//   - the rim: inside `paper` but outside `ink`, dark and still mostly opaque;
//   - the hole: inside `ink`, where the filtered alpha is below one half.
#pragma once

#include "export/Figure.h"
#include "figure/ContourTracer.h"
#include "gui/TextCanvas.h"

#include <cstdint>
#include <memory>
#include <vector>

struct LabelOutline {
    std::vector<std::vector<FigurePoint>> paper; // where the white tile ends
    std::vector<std::vector<FigurePoint>> ink;   // where the filtered alpha falls below one half
};

class LabelOutlines {
public:
    // Label m's outline, traced on first use and kept; empty for a label that has no pixels.
    const LabelOutline& Of(int32_t m);

    // How far a traced line may stray from the raster's contour, in texels. The tile's edge is
    // where white texels give way to any ink, a staircase of half-texel steps under the filter, which
    // the looser tolerance smooths; the hole's edge is a smooth line already.
    static constexpr double paperTolerance = 0.8;
    static constexpr double inkTolerance = 0.45;

private:
    std::unique_ptr<TextCanvas> canvas; // made with the first label, in the labels' font
    ContourTracer tracer;
    std::vector<std::unique_ptr<LabelOutline>> traced;
};
