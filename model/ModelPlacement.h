// Where the folded shadow goes in the model: scaled so that the largest extent of the whole object,
// balls included, is the size asked for, and moved so that it stands on y = 0 with the middle of
// its bounding box over the origin; in millimetres, in the window's frame (its y axis up, not the
// camera's). The writers then take it to their formats' units and axes.
#pragma once

#include "model/FoldedShadow.h"

#include <array>

class ModelPlacement {
public:
    // A ball's diameter over a strut's.
    static constexpr double ballShare = 1.8;

    // `size` and `strut` (the struts' diameter) in millimetres.
    ModelPlacement(const FoldedShadow& shadow, double size, double strut);

    // A point of the window's scene in the model, in millimetres.
    std::array<double, 3> Place(const std::array<double, 3>& p) const {
        return {scale * p[0] + shift[0], scale * p[1] + shift[1], scale * p[2] + shift[2]};
    }
    // The formats' frames. glTF and OBJ are in metres with y up, as the window's scene; STL and 3MF,
    // for printing, in millimetres with z up: the window's (x, y, z) becomes (x, -z, y), a turn
    // about x and never a mirror image, so the object rests on z = 0.
    static std::array<double, 3> Metres(const std::array<double, 3>& mm) {
        return {0.001 * mm[0], 0.001 * mm[1], 0.001 * mm[2]};
    }
    static std::array<double, 3> ZUp(const std::array<double, 3>& mm) { return {mm[0], -mm[2], mm[1]}; }

    double Scale() const { return scale; } // millimetres per unit of the window's scene
    double StrutRadius() const { return strutRadius; }
    double BallRadius() const { return ballRadius; }

private:
    double scale = 1.0;
    std::array<double, 3> shift = {0.0, 0.0, 0.0};
    double strutRadius;
    double ballRadius;
};
