#include "figure/ContourTracer.h"

#include <cmath>
#include <cstddef>

namespace {

// The grid padded by one sample above the level on every side; samples are addressed (row, column)
// in the padded grid.
class PaddedGrid {
public:
    PaddedGrid(const std::vector<float>& samples, int32_t columns, int32_t rows, float level)
        : samples(samples), columns(columns), rows(rows), above(level + 1.0f) {}

    float At(int32_t row, int32_t column) const {
        if (row < 1 || column < 1 || row > rows || column > columns)
            return above;
        return samples[static_cast<size_t>(row - 1) * columns + (column - 1)];
    }

    const std::vector<float>& samples;
    const int32_t columns;
    const int32_t rows;
    const float above;
};

// The crossings of a padded grid of (rows + 2) x (columns + 2) samples are numbered by the grid edge
// they lie on: horizontal edges (row, column)-(row, column + 1) first, then vertical ones.
class Crossings {
public:
    Crossings(int32_t paddedColumns, int32_t paddedRows)
        : columns(paddedColumns), horizontal(static_cast<size_t>(paddedColumns) * paddedRows),
          next(2 * horizontal, none), points(2 * horizontal) {}

    size_t Horizontal(int32_t row, int32_t column) const {
        return static_cast<size_t>(row) * columns + column;
    }
    size_t Vertical(int32_t row, int32_t column) const {
        return horizontal + static_cast<size_t>(row) * columns + column;
    }

    static constexpr size_t none = static_cast<size_t>(-1);
    const int32_t columns;
    const size_t horizontal;
    std::vector<size_t> next;        // the crossing a line goes to from this one
    std::vector<FigurePoint> points; // in the unpadded grid's sample coordinates
};

} // namespace

std::vector<std::vector<FigurePoint>> ContourTracer::Trace(const std::vector<float>& samples, int32_t columns,
                                                           int32_t rows, float level) {
    std::vector<std::vector<FigurePoint>> lines;
    if (columns <= 0 || rows <= 0 || samples.size() < static_cast<size_t>(columns) * rows)
        return lines;
    const PaddedGrid grid(samples, columns, rows, level);
    const int32_t paddedColumns = columns + 2, paddedRows = rows + 2;
    Crossings crossings(paddedColumns, paddedRows);

    // Where the level crosses the edge from sample a at (ax, ay) to sample b one step further on.
    auto place = [&](size_t id, float a, float b, double ax, double ay, double dx, double dy) {
        const double t = (level - a) / (b - a);
        // Padded coordinates to the caller's: the padding sits one sample before the first.
        crossings.points[id] = {ax + t * dx - 1.0, ay + t * dy - 1.0};
    };
    auto link = [&](size_t from, size_t to) { crossings.next[from] = to; };

    for (int32_t r = 0; r + 1 < paddedRows; ++r)
        for (int32_t c = 0; c + 1 < paddedColumns; ++c) {
            // Corners clockwise from the top left; a set bit is a corner below the level.
            const float v[4] = {grid.At(r, c), grid.At(r, c + 1), grid.At(r + 1, c + 1), grid.At(r + 1, c)};
            int32_t index = 0;
            for (int k = 0; k < 4; ++k)
                if (v[k] < level)
                    index |= 1 << k;
            if (index == 0 || index == 15)
                continue;
            // The cell's edges: top, right, bottom, left, each with its crossing placed once.
            const size_t edge[4] = {crossings.Horizontal(r, c), crossings.Vertical(r, c + 1),
                                    crossings.Horizontal(r + 1, c), crossings.Vertical(r, c)};
            if ((v[0] < level) != (v[1] < level))
                place(edge[0], v[0], v[1], c, r, 1, 0);
            if ((v[1] < level) != (v[2] < level))
                place(edge[1], v[1], v[2], c + 1, r, 0, 1);
            if ((v[3] < level) != (v[2] < level))
                place(edge[2], v[3], v[2], c, r + 1, 1, 0);
            if ((v[0] < level) != (v[3] < level))
                place(edge[3], v[0], v[3], c, r, 0, 1);
            // Each segment runs with the region below the level on its left (y down), so segments
            // join head to tail into closed lines.
            //
            //   corners below   segment(s)            corners below   segment(s)
            //   0               left -> top            0 1 2          left -> bottom
            //   1               top -> right           0 1 3          bottom -> right
            //   2               right -> bottom        0 2 3          right -> top
            //   3               bottom -> left         1 2 3          top -> left
            //   0 1             left -> right          0 2 (saddle)   by the centre, below: left -> bottom,
            //   1 2             top -> bottom                         right -> top; above: left -> top,
            //   2 3             right -> left                         right -> bottom
            //   0 3             bottom -> top          1 3 (saddle)   likewise
            enum { top, right, bottom, left };
            const bool centreBelow = (v[0] + v[1] + v[2] + v[3]) * 0.25f < level;
            switch (index) {
            case 1:
                link(edge[left], edge[top]);
                break;
            case 2:
                link(edge[top], edge[right]);
                break;
            case 4:
                link(edge[right], edge[bottom]);
                break;
            case 8:
                link(edge[bottom], edge[left]);
                break;
            case 3:
                link(edge[left], edge[right]);
                break;
            case 6:
                link(edge[top], edge[bottom]);
                break;
            case 12:
                link(edge[right], edge[left]);
                break;
            case 9:
                link(edge[bottom], edge[top]);
                break;
            case 7:
                link(edge[left], edge[bottom]);
                break;
            case 11:
                link(edge[bottom], edge[right]);
                break;
            case 13:
                link(edge[right], edge[top]);
                break;
            case 14:
                link(edge[top], edge[left]);
                break;
            case 5:
                if (centreBelow) {
                    link(edge[left], edge[bottom]);
                    link(edge[right], edge[top]);
                } else {
                    link(edge[left], edge[top]);
                    link(edge[right], edge[bottom]);
                }
                break;
            case 10:
                if (centreBelow) {
                    link(edge[top], edge[left]);
                    link(edge[bottom], edge[right]);
                } else {
                    link(edge[top], edge[right]);
                    link(edge[bottom], edge[left]);
                }
                break;
            }
        }

    // Every crossing has one segment leaving it and one arriving, so following `next` from any
    // crossing not yet visited walks one closed line.
    for (size_t start = 0; start < crossings.next.size(); ++start) {
        if (crossings.next[start] == Crossings::none)
            continue;
        std::vector<FigurePoint> line;
        for (size_t at = start; crossings.next[at] != Crossings::none;) {
            line.push_back(crossings.points[at]);
            const size_t following = crossings.next[at];
            crossings.next[at] = Crossings::none;
            at = following;
        }
        if (line.size() >= 3)
            lines.push_back(std::move(line));
    }
    return lines;
}

namespace {

double DistanceToLine(const FigurePoint& p, const FigurePoint& a, const FigurePoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    if (length == 0.0)
        return std::hypot(p.x - a.x, p.y - a.y);
    return std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / length;
}

// Marks the points strictly between first and last (indices into the ring, last > first, taken
// modulo its size) that the simplified line keeps.
void KeepBetween(const std::vector<FigurePoint>& ring, size_t first, size_t last, double tolerance,
                 std::vector<bool>& keep) {
    std::vector<std::pair<size_t, size_t>> spans = {{first, last}};
    while (!spans.empty()) {
        const auto [from, to] = spans.back();
        spans.pop_back();
        double farthest = tolerance;
        size_t chosen = 0;
        for (size_t i = from + 1; i < to; ++i) {
            const double d =
                DistanceToLine(ring[i % ring.size()], ring[from % ring.size()], ring[to % ring.size()]);
            if (d > farthest) {
                farthest = d;
                chosen = i;
            }
        }
        if (chosen == 0)
            continue;
        keep[chosen % ring.size()] = true;
        spans.push_back({from, chosen});
        spans.push_back({chosen, to});
    }
}

} // namespace

void ContourTracer::Simplify(std::vector<std::vector<FigurePoint>>& lines, double tolerance) {
    std::vector<std::vector<FigurePoint>> kept;
    kept.reserve(lines.size());
    for (std::vector<FigurePoint>& ring : lines) {
        const size_t n = ring.size();
        // The ring is cut at its first point and the point farthest from it, both kept.
        size_t opposite = 0;
        double farthest = -1.0;
        for (size_t i = 1; i < n; ++i) {
            const double d = std::hypot(ring[i].x - ring[0].x, ring[i].y - ring[0].y);
            if (d > farthest) {
                farthest = d;
                opposite = i;
            }
        }
        std::vector<bool> keep(n, false);
        keep[0] = true;
        keep[opposite] = true;
        KeepBetween(ring, 0, opposite, tolerance, keep);
        KeepBetween(ring, opposite, n, tolerance, keep);
        std::vector<FigurePoint> simpler;
        for (size_t i = 0; i < n; ++i)
            if (keep[i])
                simpler.push_back(ring[i]);
        if (simpler.size() >= 3)
            kept.push_back(std::move(simpler));
    }
    lines = std::move(kept);
}
