// One square face of the hypercube as four edge indices.
#pragma once

#include <cstdint>

// The square's corners in drawing order are base.first, base.second, copy.second, copy.first, so
// the renderer and the depth sort need only `base` and `copy`.
struct CubeFace {
    int32_t base = -1;       // the edge the face was swept from
    int32_t copy = -1;       // the translated copy of `base`: the opposite side of the square
    int32_t firstJoin = -1;  // joins base.first to copy.first
    int32_t secondJoin = -1; // joins base.second to copy.second
};
