#include "tests/figure/FigureComparison.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string FigureMatch::Describe() const {
    return "away from the edges " + std::to_string(offAway * 100.0) +
           " % of blocks off by more than 24 (at most 1 %)" + "; on " + std::to_string(centrePixels) +
           " centre-line pixels the 95th percentile is " + std::to_string(centreP95) + " (at most 16)";
}

namespace {

double DistanceToSegment(double x, double y, const FigureSegment& s) {
    const double dx = s.second.x - s.first.x, dy = s.second.y - s.first.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((x - s.first.x) * dx + (y - s.first.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (s.first.x + t * dx), y - (s.first.y + t * dy));
}

// Edges that the picture shows on top of each other (the axis-aligned cube's) count once.
std::vector<FigureSegment> Distinct(const std::vector<FigureSegment>& edges) {
    std::vector<FigureSegment> distinct;
    auto same = [](const FigurePoint& p, const FigurePoint& q) {
        return std::fabs(p.x - q.x) < 0.01 && std::fabs(p.y - q.y) < 0.01;
    };
    for (const FigureSegment& e : edges) {
        bool seen = false;
        for (const FigureSegment& d : distinct)
            seen = seen || (same(e.first, d.first) && same(e.second, d.second)) ||
                   (same(e.first, d.second) && same(e.second, d.first));
        if (!seen)
            distinct.push_back(e);
    }
    return distinct;
}

} // namespace

FigureMatch CompareWithPicture(const RgbaPicture& picture, const RgbaPicture& drawn,
                               const std::vector<FigureSegment>& allEdges, double halfWidth) {
    FigureMatch match;
    const std::vector<FigureSegment> edges = Distinct(allEdges);
    if (picture.width != drawn.width || picture.height != drawn.height || picture.width == 0)
        return match;
    const int w = picture.width, h = picture.height;
    // How many edges' neighbourhoods each pixel lies in.
    std::vector<uint8_t> nearEdge(static_cast<size_t>(w) * h, 0);
    const double reach = halfWidth + 2.0;
    for (const FigureSegment& s : edges) {
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min(s.first.x, s.second.x) - reach)));
        const int x1 = std::min(w - 1, static_cast<int>(std::ceil(std::max(s.first.x, s.second.x) + reach)));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min(s.first.y, s.second.y) - reach)));
        const int y1 = std::min(h - 1, static_cast<int>(std::ceil(std::max(s.first.y, s.second.y) + reach)));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (DistanceToSegment(x + 0.5, y + 0.5, s) <= reach) {
                    uint8_t& count = nearEdge[static_cast<size_t>(y) * w + x];
                    count = static_cast<uint8_t>(std::min(count + 1, 255));
                }
    }
    size_t blocks = 0, off = 0;
    for (int y = 0; y + 1 < h; y += 2)
        for (int x = 0; x + 1 < w; x += 2) {
            bool masked = false;
            int sum[2][3] = {};
            for (int k = 0; k < 4; ++k) {
                const int px = x + (k & 1), py = y + (k >> 1);
                masked = masked || nearEdge[static_cast<size_t>(py) * w + px] > 0;
                for (int c = 0; c < 3; ++c) {
                    sum[0][c] += picture.Row(py)[px * 4 + c];
                    sum[1][c] += drawn.Row(py)[px * 4 + c];
                }
            }
            if (masked)
                continue;
            ++blocks;
            for (int c = 0; c < 3; ++c)
                if (std::abs(sum[0][c] - sum[1][c]) > 4 * 24) {
                    ++off;
                    break;
                }
        }
    match.offAway = blocks > 0 ? static_cast<double>(off) / blocks : 0.0;

    std::vector<int> differences;
    for (const FigureSegment& s : edges) {
        const double length = std::hypot(s.second.x - s.first.x, s.second.y - s.first.y);
        // The ends are left out: there the lines of a corner meet, and each renderer ends them its way.
        for (double d = reach; d <= length - reach; d += 1.0) {
            const double t = d / length;
            const int x = static_cast<int>(s.first.x + t * (s.second.x - s.first.x));
            const int y = static_cast<int>(s.first.y + t * (s.second.y - s.first.y));
            // Only where the edge is alone: beside another one, the shade is that line's
            // antialiased border against the window's aliased one, not this edge's colour.
            if (x < 0 || y < 0 || x >= w || y >= h || nearEdge[static_cast<size_t>(y) * w + x] != 1)
                continue;
            int largest = 0;
            for (int c = 0; c < 3; ++c)
                largest = std::max(largest, std::abs(picture.Row(y)[x * 4 + c] - drawn.Row(y)[x * 4 + c]));
            differences.push_back(largest);
            if (std::getenv("DUMP") && largest > 25 && (differences.size() % 50) == 0)
                std::printf("(%d,%d) pic %d %d %d drawn %d %d %d\n", x, y, picture.Row(y)[x * 4],
                            picture.Row(y)[x * 4 + 1], picture.Row(y)[x * 4 + 2], drawn.Row(y)[x * 4],
                            drawn.Row(y)[x * 4 + 1], drawn.Row(y)[x * 4 + 2]);
        }
    }
    match.centrePixels = differences.size();
    if (!differences.empty()) {
        std::sort(differences.begin(), differences.end());
        match.centreP95 = differences[differences.size() * 95 / 100];
    } else {
        match.centreP95 = 0;
    }
    return match;
}
