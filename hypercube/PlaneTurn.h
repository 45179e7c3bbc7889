// A turn by an angle in the plane of two axes, axis a towards axis b: the one rule by which the keys
// turn the model's vertices (in float) and a view's orientation (in double), so that a view taken
// after a turn shows the same cube the window turned.
#pragma once

#include <cmath>

template <class Real> class PlaneTurn {
public:
    // The cosine and sine are worked out in double precision whatever Real is.
    explicit PlaneTurn(double angle)
        : cosine(static_cast<Real>(std::cos(angle))), sine(static_cast<Real>(std::sin(angle))) {}

    // Turns the point whose coordinates along axes a and b are x and y.
    void Apply(Real& x, Real& y) const {
        const Real oldX = x;
        const Real oldY = y;
        x = cosine * oldX - sine * oldY;
        y = sine * oldX + cosine * oldY;
    }

private:
    Real cosine;
    Real sine;
};
