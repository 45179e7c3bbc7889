// One edge of the hypercube: the indices of the two vertices it joins.
#pragma once

#include <cstdint>

// Vertex indices rather than addresses: an index stays meaningful however the vertex array is
// reallocated, and the vertex's position is always HypercubeModel::Vertex(index).
struct CubeEdge {
    int32_t first = -1;  // the smaller vertex index
    int32_t second = -1; // the larger vertex index; differs from `first` in exactly one bit
};
