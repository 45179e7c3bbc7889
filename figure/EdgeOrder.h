// The order to paint the edges in so that, where two of them cross in the picture, the nearer one
// at the crossing lies on top, as the window's depth test puts it. Painting far to near by the
// edges' middles gets long crossing edges wrong; here each crossing decides between its two edges,
// and the middles only order what no crossing decides (and break the rare cycle).
#pragma once

#include "export/Figure.h"

#include <cstdint>
#include <vector>

struct PictureEdge {
    FigurePoint a, b;      // the ends in the picture
    double depthA, depthB; // their distance along the line of sight
    int32_t first, second; // the vertices: edges that share one meet there rather than cross
};

class EdgeOrder {
public:
    // Indices into `edges`, the first to be painted first. Lines nearer than `reach` to each other
    // overlap in the picture and count as crossing at their closest ends.
    static std::vector<size_t> Of(const std::vector<PictureEdge>& edges, double reach);
};
