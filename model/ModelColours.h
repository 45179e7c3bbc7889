// The colours of a model: its struts and balls in the edges' colour of the palette the view is drawn
// in (white, or black with --light), its squares in the window's tints at the window's opacity.
#pragma once

#include "hypercube/HypercubeRenderer.h"
#include "hypercube/ScenePalette.h"

#include <array>

class ModelColours {
public:
    static std::array<float, 4> Edges(bool light) {
        const ScenePalette palette = light ? ScenePalette::Light() : ScenePalette::Dark();
        return {palette.edges[0], palette.edges[1], palette.edges[2], 1.0f};
    }
    static std::array<float, 4> Face(int tint) {
        const float* colour = faceColours[tint];
        return {colour[0], colour[1], colour[2], colour[3]};
    }
};
