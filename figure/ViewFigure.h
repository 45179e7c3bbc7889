// The hypercube screen's picture as a figure: the shapes the window draws, in the order it draws
// them, for the vector formats.
//   - The background, the palette's.
//   - With faces: each face in the face pass's order (the same depth key and sort), as two areas at
//     the face's alpha: the tinted tile with the label's rims and holes cut out, then the dark rims.
//     Their colours follow the fog along the picture's line on which the face's depth changes
//     fastest (the depth of a flat face is the same all along any line across that one).
//   - Every edge, the nearer of two crossing ones on top (EdgeOrder), as the parallelogram an
//     aliased wide line fills: the lens's edge width in window pixels across its minor axis, scaled
//     with the picture; fogged as the faces are, or, in the wireframe, the palette's edge colour
//     alone, as a fresh program draws it.
// The numbers are the outlines the label rasters trace (LabelOutlines), each point carried onto the
// face and projected on its own, so they sit in perspective exactly where the texture puts them.
#pragma once

#include "export/Figure.h"

#include <string>

class CTessary;
class LabelOutlines;
struct ScenePalette;

class ViewFigure {
public:
    // The picture `width` pixels wide and FileKinds' height for it; `view` is kept in the figure.
    static Figure Draw(CTessary& screen, int width, const ScenePalette& palette, const std::string& view);
    // The same with the numbers' outlines taken from, and kept in, `labels`: whoever draws many
    // figures traces each label once.
    static Figure Draw(CTessary& screen, int width, const ScenePalette& palette, const std::string& view,
                       LabelOutlines& labels);
};
