#include "model/FoldedShadow.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>

namespace {

using Point = std::array<double, 3>;

double Distance(const Point& a, const Point& b) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                     (a[2] - b[2]) * (a[2] - b[2]));
}

double LargestExtent(const std::vector<Point>& points) {
    double extent = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
        const auto [low, high] =
            std::minmax_element(points.begin(), points.end(),
                                [axis](const Point& a, const Point& b) { return a[axis] < b[axis]; });
        if (low != points.end())
            extent = std::max(extent, (*high)[axis] - (*low)[axis]);
    }
    return extent;
}

// The groups of points joined by chains of near pairs: each point's group is the smallest index in
// it, so that a chain of near points never splits by the order it is met in.
std::vector<int> Groups(const std::vector<Point>& points, double tolerance) {
    std::vector<int> parent(points.size());
    std::iota(parent.begin(), parent.end(), 0);
    const auto root = [&parent](int i) {
        while (parent[static_cast<size_t>(i)] != i)
            i = parent[static_cast<size_t>(i)] = parent[static_cast<size_t>(parent[static_cast<size_t>(i)])];
        return i;
    };
    // Sorted along x, only points within the tolerance along x can be near.
    std::vector<int> order(points.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&points](int a, int b) {
        return points[static_cast<size_t>(a)][0] < points[static_cast<size_t>(b)][0];
    });
    for (size_t i = 0; i < order.size(); ++i) {
        const Point& a = points[static_cast<size_t>(order[i])];
        for (size_t j = i + 1; j < order.size(); ++j) {
            const Point& b = points[static_cast<size_t>(order[j])];
            if (b[0] - a[0] > tolerance)
                break;
            if (Distance(a, b) <= tolerance) {
                const int ra = root(order[i]), rb = root(order[j]);
                parent[static_cast<size_t>(std::max(ra, rb))] = std::min(ra, rb);
            }
        }
    }
    std::vector<int> group(points.size());
    for (size_t i = 0; i < points.size(); ++i)
        group[i] = root(static_cast<int>(i));
    return group;
}

// Twice the area of the parallelogram a square's shadow is: the cross product of its diagonals.
double DoubleArea(const Point& p0, const Point& p1, const Point& p2, const Point& p3) {
    const double d[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
    const double e[3] = {p3[0] - p1[0], p3[1] - p1[1], p3[2] - p1[2]};
    const double c[3] = {d[1] * e[2] - d[2] * e[1], d[2] * e[0] - d[0] * e[2], d[0] * e[1] - d[1] * e[0]};
    return std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
}

} // namespace

FoldedShadow::FoldedShadow(const ModelSource& source)
    : dimension(source.dimension), vertexCount(source.vertices.size()), edgeCount(source.edges.size()) {
    extent = LargestExtent(source.vertices);
    const double tolerance = foldShare * extent;
    const std::vector<int> group = Groups(source.vertices, tolerance);
    // Balls in the order of their first vertices.
    std::vector<int> ballOf(source.vertices.size(), -1);
    for (size_t v = 0; v < source.vertices.size(); ++v) {
        const size_t first = static_cast<size_t>(group[v]);
        if (ballOf[first] < 0) {
            ballOf[first] = static_cast<int>(balls.size());
            balls.push_back(source.vertices[first]);
        }
        ballOf[v] = ballOf[first];
    }
    std::set<std::array<int, 2>> seenStruts;
    for (const std::array<int, 2>& edge : source.edges) {
        int a = ballOf[static_cast<size_t>(edge[0])], b = ballOf[static_cast<size_t>(edge[1])];
        if (a == b)
            continue;
        if (a > b)
            std::swap(a, b);
        if (seenStruts.insert({a, b}).second)
            struts.push_back({a, b});
    }
    // A square whose shadow is thinner than the tolerance across is a line or a point.
    const double leastDoubleArea = 2.0 * tolerance * extent;
    std::set<std::array<int, 4>> seenSquares;
    for (const ModelSquare& square : source.squares) {
        ModelSquare folded = square;
        for (int& corner : folded.corners)
            corner = ballOf[static_cast<size_t>(corner)];
        const auto at = [this, &folded](int k) { return balls[static_cast<size_t>(folded.corners[k])]; };
        if (DoubleArea(at(0), at(1), at(2), at(3)) <= leastDoubleArea)
            continue;
        std::array<int, 4> key = folded.corners;
        std::sort(key.begin(), key.end());
        if (seenSquares.insert(key).second)
            squares.push_back(folded);
    }
}

std::string FoldedShadow::Summary() const {
    return std::to_string(balls.size()) + " balls, " + std::to_string(struts.size()) + " struts (" +
           std::to_string(vertexCount) + " vertices, " + std::to_string(edgeCount) + " edges of the " +
           std::to_string(dimension) + "-cube)";
}
