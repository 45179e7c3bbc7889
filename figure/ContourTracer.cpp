#include "figure/ContourTracer.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

uint64_t Eight(const uint8_t* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

} // namespace

std::vector<std::vector<FigurePoint>> ContourTracer::Trace(const std::vector<float>& samples, int32_t columns,
                                                           int32_t rows, float level) {
    if (columns <= 0 || rows <= 0 || samples.size() < static_cast<size_t>(columns) * rows)
        return {};
    Pad(samples, columns, rows, level);
    const int32_t paddedRows = rows + 2;
    for (int32_t r = 0; r + 1 < paddedRows; ++r)
        for (int32_t c = 0; c + 1 < paddedColumns; ++c) {
            // Corners clockwise from the top left; a set bit is a corner below the level.
            const uint8_t* upper = &below[static_cast<size_t>(r) * paddedColumns + c];
            const uint8_t* lower = upper + paddedColumns;
            const int32_t index = upper[0] | upper[1] << 1 | lower[1] << 2 | lower[0] << 3;
            if (index == 0 || index == 15) {
                // A run of such cells: eight corners on from here alike in both rows skip seven.
                const uint64_t same = index == 0 ? 0 : 0x0101010101010101u;
                while (c + 9 < paddedColumns && Eight(upper + 1) == same && Eight(lower + 1) == same) {
                    c += 7;
                    upper += 7;
                    lower += 7;
                }
                continue;
            }
            CrossCell(r, c, index, level);
        }
    return FollowLines();
}

void ContourTracer::Pad(const std::vector<float>& samples, int32_t columns, int32_t rows, float level) {
    paddedColumns = columns + 2;
    const int32_t paddedRows = rows + 2;
    // Horizontal grid edges (row, column)-(row, column + 1) are numbered first, then vertical ones.
    horizontalEdges = static_cast<size_t>(paddedColumns) * paddedRows;
    if (next.size() < 2 * horizontalEdges) {
        next.resize(2 * horizontalEdges, none);
        points.resize(2 * horizontalEdges);
    }
    // The samples with a border above the level around them, and which of them lie below it, so that
    // the many cells wholly on one side are passed over on four bytes.
    values.assign(horizontalEdges, level + 1.0f);
    below.assign(horizontalEdges, 0);
    for (int32_t r = 1; r <= rows; ++r)
        for (int32_t c = 1; c <= columns; ++c) {
            const size_t at = static_cast<size_t>(r) * paddedColumns + c;
            values[at] = samples[static_cast<size_t>(r - 1) * columns + (c - 1)];
            below[at] = values[at] < level;
        }
}

void ContourTracer::CrossCell(int32_t r, int32_t c, int32_t index, float level) {
    const float* corner = &values[static_cast<size_t>(r) * paddedColumns + c];
    const float v[4] = {corner[0], corner[1], corner[paddedColumns + 1], corner[paddedColumns]};
    const auto horizontalEdge = [this](int32_t row, int32_t column) {
        return static_cast<size_t>(row) * paddedColumns + column;
    };
    const auto verticalEdge = [this](int32_t row, int32_t column) {
        return horizontalEdges + static_cast<size_t>(row) * paddedColumns + column;
    };
    // Where the level crosses the edge from sample a at (ax, ay) to sample b one step further on.
    const auto place = [&](size_t id, float a, float b, double ax, double ay, double dx, double dy) {
        const double t = (level - a) / (b - a);
        // Padded coordinates to the caller's: the padding sits one sample before the first.
        points[id] = {ax + t * dx - 1.0, ay + t * dy - 1.0};
    };
    // The cell's edges: top, right, bottom, left, each with its crossing placed once.
    const size_t edge[4] = {horizontalEdge(r, c), verticalEdge(r, c + 1), horizontalEdge(r + 1, c),
                            verticalEdge(r, c)};
    if ((v[0] < level) != (v[1] < level))
        place(edge[0], v[0], v[1], c, r, 1, 0);
    if ((v[1] < level) != (v[2] < level))
        place(edge[1], v[1], v[2], c + 1, r, 0, 1);
    if ((v[3] < level) != (v[2] < level))
        place(edge[2], v[3], v[2], c, r + 1, 1, 0);
    if ((v[0] < level) != (v[3] < level))
        place(edge[3], v[0], v[3], c, r, 0, 1);
    const bool centreBelow = (v[0] + v[1] + v[2] + v[3]) * 0.25f < level;
    LinkSegments(index, centreBelow, edge);
}

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
void ContourTracer::LinkSegments(int32_t index, bool centreBelow, const size_t edge[4]) {
    enum { top, right, bottom, left };
    const auto link = [this](size_t from, size_t to) {
        next[from] = to;
        used.push_back(from);
    };
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

// Every crossing has one segment leaving it and one arriving, so following `next` from any crossing
// not yet visited walks one closed line.
std::vector<std::vector<FigurePoint>> ContourTracer::FollowLines() {
    std::vector<std::vector<FigurePoint>> lines;
    for (size_t start : used) {
        if (next[start] == none)
            continue;
        std::vector<FigurePoint> line;
        for (size_t at = start; next[at] != none;) {
            line.push_back(points[at]);
            const size_t following = next[at];
            next[at] = none;
            at = following;
        }
        if (line.size() >= 3)
            lines.push_back(std::move(line));
    }
    used.clear();
    return lines;
}

namespace {

// Marks the points strictly between first and last (indices into the ring, last > first, taken
// modulo its size) that the simplified line keeps.
void KeepBetween(const std::vector<FigurePoint>& ring, size_t first, size_t last, double tolerance,
                 std::vector<bool>& keep) {
    std::vector<std::pair<size_t, size_t>> spans = {{first, last}};
    while (!spans.empty()) {
        const auto [from, to] = spans.back();
        spans.pop_back();
        // Distances from the line through a and b, times its length, compared squared.
        const FigurePoint& a = ring[from % ring.size()];
        const FigurePoint& b = ring[to % ring.size()];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double length2 = dx * dx + dy * dy;
        double farthest = tolerance * tolerance * (length2 > 0.0 ? length2 : 1.0);
        size_t chosen = 0;
        for (size_t i = from + 1; i < to; ++i) {
            const FigurePoint& p = ring[i % ring.size()];
            const double px = p.x - a.x, py = p.y - a.y;
            const double cross = px * dy - py * dx;
            const double d = length2 > 0.0 ? cross * cross : px * px + py * py;
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
            const double d = (ring[i].x - ring[0].x) * (ring[i].x - ring[0].x) +
                             (ring[i].y - ring[0].y) * (ring[i].y - ring[0].y);
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
