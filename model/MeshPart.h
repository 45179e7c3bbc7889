// One part of a model's mesh (the struts, the balls, or the squares of one tint) as indexed
// triangles, counter-clockwise seen from outside, in millimetres in the window's frame (y up).
// Each strut and each ball is a closed shell of its own: every edge of its triangles is shared by
// exactly two of them, in opposite directions, and no triangle is degenerate. That is what a
// slicer needs to tell inside from outside, and what a line or a point primitive never gives.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class MeshPart {
public:
    // Sides of every strut and every ball's circles of latitude. A multiple of 4, so that a ball
    // reaches exactly its radius along every axis and the model's size is exact.
    static constexpr int roundSides = 8;
    // Circles of latitude of a ball, poles excluded, plus one. Even, so that the equator is one.
    static constexpr int ballBands = 6;

    using Point = std::array<double, 3>;

    // A closed round strut of `radius` from a to b, capped at both ends.
    void AddStrut(const Point& a, const Point& b, double radius);
    // A closed ball of `radius` about `centre`.
    void AddBall(const Point& centre, double radius);
    // A flat quadrilateral, two triangles, facing along the cross product of its diagonals; the
    // viewer shows its back too (it is not a shell).
    void AddSquare(const std::array<Point, 4>& corners);

    size_t VertexCount() const { return positions.size(); }
    size_t TriangleCount() const { return indices.size() / 3; }
    bool Empty() const { return indices.empty(); }

    std::vector<Point> positions;
    std::vector<Point> normals; // of unit length
    std::vector<uint32_t> indices;

private:
    uint32_t Add(const Point& position, const Point& normal);
};
