// The view's 3-D shadow with its folds taken out. The projection often puts several vertices of
// the n-cube on one point (the axis-aligned 4-cube is a cube of 8 corners, not 16): such vertices
// become one ball, edges between the same two balls one strut, edges that fold to a point none,
// and squares that fold to no area, or onto another square, none. A slicer reports coincident balls
// and struts of no length as broken, so they never reach a file.
#pragma once

#include "model/ModelSource.h"

#include <array>
#include <string>
#include <vector>

class FoldedShadow {
public:
    // Vertices nearer each other than this share of the shadow's largest extent are one ball.
    static constexpr double foldShare = 1e-6;

    explicit FoldedShadow(const ModelSource& source);

    // The balls' centres, in the window's units; a ball sits where its first vertex is.
    const std::vector<std::array<double, 3>>& Balls() const { return balls; }
    // Pairs of ball indices, the smaller first, each pair once.
    const std::vector<std::array<int, 2>>& Struts() const { return struts; }
    // Squares by ball indices, each with the tint of the first square that folds onto it.
    const std::vector<ModelSquare>& Squares() const { return squares; }
    // The largest extent of the balls' centres along an axis, in the window's units.
    double Extent() const { return extent; }
    // "8 balls, 12 struts (16 vertices, 32 edges of the 4-cube)".
    std::string Summary() const;

private:
    std::vector<std::array<double, 3>> balls;
    std::vector<std::array<int, 2>> struts;
    std::vector<ModelSquare> squares;
    double extent = 0.0;
    int dimension = 0;
    size_t vertexCount = 0;
    size_t edgeCount = 0;
};
