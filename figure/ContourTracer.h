// The closed lines where a grid of samples crosses a level, as marching squares finds them: each
// cell's corners are four samples, a line crosses an edge of the cell where the samples on its two
// ends lie on either side of the level, at the point linear interpolation puts the level. This is
// where the bilinear filter of a texture crosses the level, within a small part of a texel.
#pragma once

#include "export/Figure.h"

#include <cstdint>
#include <vector>

class ContourTracer {
public:
    ContourTracer() = default;

    // `samples` holds rows x columns values, row by row. Everything outside the grid counts as above
    // the level, so every line closes. A point of a line is (column, row) in samples: (0, 0) is the
    // first sample, (columns - 1, rows - 1) the last. The region below the level lies on a
    // contour's left when y points down: the lines of a region and of a hole in it turn opposite ways.
    std::vector<std::vector<FigurePoint>> Trace(const std::vector<float>& samples, int32_t columns,
                                                int32_t rows, float level);

    // Drops the points of a closed line that lie within `tolerance` of the line through the points
    // kept around them (Douglas and Peucker's method, on each half of the ring); a line left with
    // fewer than three points is dropped entirely.
    static void Simplify(std::vector<std::vector<FigurePoint>>& lines, double tolerance);

private:
    static constexpr size_t none = static_cast<size_t>(-1);

    // The samples into `values` with a border of one sample above the level all round, and which of
    // them lie below it into `below`.
    void Pad(const std::vector<float>& samples, int32_t columns, int32_t rows, float level);
    // Places the crossings of the cell whose top left corner is padded sample (r, c), with `index`
    // its corners below the level, and links its segments.
    void CrossCell(int32_t r, int32_t c, int32_t index, float level);
    // Links the cell's segments, from one crossing to the next, given its four edges' numbers.
    void LinkSegments(int32_t index, bool centreBelow, const size_t edge[4]);
    // The closed lines the links make, each walked once; clears the links.
    std::vector<std::vector<FigurePoint>> FollowLines();

    int32_t paddedColumns = 0;
    size_t horizontalEdges = 0; // the horizontal grid edges, numbered before the vertical ones
    // Kept from one trace to the next, since a cube's labels are traced by the thousand: for each
    // crossing (numbered by the grid edge it lies on) the crossing its line goes to next, or none,
    // and where it lies. Only the entries a trace set are cleared after it.
    std::vector<size_t> next;
    std::vector<FigurePoint> points;
    std::vector<size_t> used;
    std::vector<float> values;
    std::vector<uint8_t> below;
};
