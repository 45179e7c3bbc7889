// The paint of a colour under the window's linear fog, along a line of the picture. The fog mixes a
// colour with the fog's colour by f = (end - depth) / (end - start), held between 0 and 1, and the
// depth of a flat shape seen in perspective is not linear across the picture, its reciprocal is:
// so the ramp's stops follow 1 / depth, closely enough that nothing the ramp paints is off by more
// than half a level of 255 once its opacity is applied. Without fog (a fresh program's wireframe) the
// paint is flat.
#pragma once

#include "export/Figure.h"

struct ScenePalette;

class FogRamp {
public:
    // The fog from `start` to `end` along the line of sight, fading to the palette's fog colour.
    FogRamp(const ScenePalette& palette, double start, double end);
    // No fog at all.
    FogRamp();

    // `colour` at depth `fromDepth` at `from` and at `toDepth` at `to`, 1 / depth linear between
    // (beyond the ends the end colours). Flat where the fog does not change along the line.
    FigurePaint Paint(const FigureColour& colour, FigurePoint from, double fromDepth, FigurePoint to,
                      double toDepth, float opacity) const;
    // The colour at one depth.
    FigureColour At(const FigureColour& colour, double depth) const;

    // The largest error in f that the stops leave between them, for a paint of this opacity: a face
    // painted at 0.2 may be five times as far off in f as an opaque edge.
    static double FogError(float opacity) { return 0.5 / 255.0 / (opacity > 0.1f ? opacity : 0.1f); }

private:
    bool fogged;
    double start = 0.0;
    double end = 0.0;
    FigureColour fog;
};
