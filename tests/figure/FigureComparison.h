// How close a rasterised figure comes to the program's picture of the same view. The edges are
// drawn by different rasterisers (OpenGL's aliased wide lines against a vector renderer's
// antialiased paths), so their neighbourhood is judged apart:
//   - away from the edges (farther than half their width and 2 pixels from every centre line), the
//     share of 2 x 2 blocks whose mean differs by more than 24 of 255 in some channel;
//   - on the centre lines, where no other edge comes as near, the 95th percentile of the largest
//     channel difference.
#pragma once

#include "export/Figure.h"
#include "export/RgbaPicture.h"

#include <string>
#include <utility>
#include <vector>

struct FigureMatch {
    double offAway = 1.0; // share of blocks away from the edges that are off
    int centreP95 = 255;  // of the centre lines' differences
    size_t centrePixels = 0;

    bool Holds() const { return offAway <= 0.01 && centreP95 <= 16; }
    std::string Describe() const;
};

using FigureSegment = std::pair<FigurePoint, FigurePoint>;

FigureMatch CompareWithPicture(const RgbaPicture& picture, const RgbaPicture& drawn,
                               const std::vector<FigureSegment>& edges, double halfWidth);
