// The way from one view to another that an animation follows, as the views in between: At(t) for t
// from 0 to 1. The cube turns the shortest way, by the same rotation at a steady rate: the
// orientation is R0 exp(t log(R0^T R1)), with the principal logarithm, so no plane turns more than
// half way round and every view in between is an exact rotation. The camera moves as orbit and zoom
// move it: the eye swings around the target along the great circle between its two directions, its
// distance changes by the same factor in equal steps of t (the wheel scales it), and the up vector
// turns with the eye, then about the line of sight, towards its end. A view of another dimension
// than the first (or with nothing built first) starts from that dimension's cube axis-aligned, as
// the dimension buttons build it, seen from the first view's camera. The faces or wireframe are the
// last view's all the way, and At(1) is the last view exactly.
#pragma once

#include "hypercube/SquareMatrix.h"
#include "hypercube/View.h"

class ViewPath {
public:
    ViewPath(const View& from, const View& to);

    // The view at t, brought within [0, 1]: the start at 0 (the first view in its last view's
    // mode), the last view itself from 1.
    View At(double t) const;

private:
    View start;
    View end;
    SquareMatrix startOrientation;
    SquareMatrix turn; // log(R0^T R1), skew-symmetric
    // The camera: the unit direction of the eye and the up vector across it at the start, the axis
    // and angle that swing the eye to its end direction, the angle about the line of sight that then
    // takes the up vector to its end, and the distances at the start and end.
    double direction[3], up[3], axis[3], swing, twist, startDistance, endDistance;
};
