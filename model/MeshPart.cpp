#include "model/MeshPart.h"

#include <cmath>
#include <numbers>

namespace {

using Point = MeshPart::Point;

Point Cross(const Point& a, const Point& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Point Unit(const Point& v) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return {v[0] / length, v[1] / length, v[2] / length};
}

// The cosine and sine of the k-th of `sides` equal steps round a circle, exact at the quarters.
std::array<double, 2> Round(int k, int sides) {
    const int quarter = sides / 4;
    const double exact[4][2] = {{1.0, 0.0}, {0.0, 1.0}, {-1.0, 0.0}, {0.0, -1.0}};
    if (k % quarter == 0)
        return {exact[(k / quarter) % 4][0], exact[(k / quarter) % 4][1]};
    const double angle = 2.0 * std::numbers::pi * k / sides;
    return {std::cos(angle), std::sin(angle)};
}

} // namespace

uint32_t MeshPart::Add(const Point& position, const Point& normal) {
    positions.push_back(position);
    normals.push_back(normal);
    return static_cast<uint32_t>(positions.size() - 1);
}

void MeshPart::AddStrut(const Point& a, const Point& b, double radius) {
    const Point axis = Unit({b[0] - a[0], b[1] - a[1], b[2] - a[2]});
    // u, v and the axis are a right-handed frame: going round from u towards v is counter-clockwise
    // seen from b.
    int least = 0;
    for (int i = 1; i < 3; ++i)
        if (std::fabs(axis[i]) < std::fabs(axis[least]))
            least = i;
    Point helper = {0.0, 0.0, 0.0};
    helper[least] = 1.0;
    const Point u = Unit(Cross(helper, axis));
    const Point v = Cross(axis, u);
    const int n = roundSides;
    const uint32_t first = static_cast<uint32_t>(positions.size());
    for (const Point& end : {a, b})
        for (int k = 0; k < n; ++k) {
            const auto [c, s] = Round(k, n);
            const Point radial = {c * u[0] + s * v[0], c * u[1] + s * v[1], c * u[2] + s * v[2]};
            Add({end[0] + radius * radial[0], end[1] + radius * radial[1], end[2] + radius * radial[2]},
                radial);
        }
    const uint32_t capA = Add(a, {-axis[0], -axis[1], -axis[2]});
    const uint32_t capB = Add(b, axis);
    for (int k = 0; k < n; ++k) {
        const uint32_t a0 = first + static_cast<uint32_t>(k), a1 = first + static_cast<uint32_t>((k + 1) % n);
        const uint32_t b0 = a0 + static_cast<uint32_t>(n), b1 = a1 + static_cast<uint32_t>(n);
        indices.insert(indices.end(), {a0, a1, b1, a0, b1, b0, capA, a1, a0, capB, b0, b1});
    }
}

void MeshPart::AddBall(const Point& centre, double radius) {
    const int n = roundSides;
    const auto at = [&](const Point& unit) {
        return Add({centre[0] + radius * unit[0], centre[1] + radius * unit[1], centre[2] + radius * unit[2]},
                   unit);
    };
    const uint32_t north = at({0.0, 1.0, 0.0});
    // Rings 1 to ballBands - 1 from the north pole; k goes round from +x towards +z.
    const uint32_t first = static_cast<uint32_t>(positions.size());
    for (int ring = 1; ring < ballBands; ++ring) {
        const auto [y, rho] = Round(ring, 2 * ballBands);
        for (int k = 0; k < n; ++k) {
            const auto [c, s] = Round(k, n);
            at({rho * c, y, rho * s});
        }
    }
    const uint32_t south = at({0.0, -1.0, 0.0});
    const auto ringPoint = [&](int ring, int k) {
        return first + static_cast<uint32_t>((ring - 1) * n + (k % n));
    };
    for (int k = 0; k < n; ++k) {
        indices.insert(indices.end(), {north, ringPoint(1, k + 1), ringPoint(1, k)});
        for (int ring = 1; ring + 1 < ballBands; ++ring)
            indices.insert(indices.end(),
                           {ringPoint(ring, k), ringPoint(ring, k + 1), ringPoint(ring + 1, k + 1),
                            ringPoint(ring, k), ringPoint(ring + 1, k + 1), ringPoint(ring + 1, k)});
        indices.insert(indices.end(), {ringPoint(ballBands - 1, k), ringPoint(ballBands - 1, k + 1), south});
    }
}

void MeshPart::AddSquare(const std::array<Point, 4>& corners) {
    const Point d = {corners[2][0] - corners[0][0], corners[2][1] - corners[0][1],
                     corners[2][2] - corners[0][2]};
    const Point e = {corners[3][0] - corners[1][0], corners[3][1] - corners[1][1],
                     corners[3][2] - corners[1][2]};
    const Point normal = Unit(Cross(d, e));
    const uint32_t first = static_cast<uint32_t>(positions.size());
    for (const Point& corner : corners)
        Add(corner, normal);
    indices.insert(indices.end(), {first, first + 1, first + 2, first, first + 2, first + 3});
}
