// The colours the hypercube is drawn in, apart from the faces' tints: the window's white edges on
// black under a black fog, or, for print, black edges on white under a fog that fades towards white.
// The window only ever uses the dark one; pictures, clips and figures may ask for the light one.
#pragma once

struct ScenePalette {
    float background[3];
    float edges[3];
    float fog[3];

    static constexpr ScenePalette Dark() {
        return {{0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f}};
    }
    static constexpr ScenePalette Light() {
        return {{1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}};
    }
};
