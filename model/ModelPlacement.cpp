#include "model/ModelPlacement.h"

#include <algorithm>

ModelPlacement::ModelPlacement(const FoldedShadow& shadow, double size, double strut)
    : strutRadius(0.5 * strut), ballRadius(0.5 * ballShare * strut) {
    const std::vector<std::array<double, 3>>& balls = shadow.Balls();
    if (balls.empty())
        return;
    std::array<double, 3> low = balls[0], high = balls[0];
    for (const std::array<double, 3>& ball : balls)
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], ball[axis]);
            high[axis] = std::max(high[axis], ball[axis]);
        }
    // Every ball reaches exactly its radius along each axis (MeshPart), and the struts stay inside
    // the balls' hull, so the object is as large as its centres plus one ball across, on every axis.
    if (shadow.Extent() > 0.0)
        scale = (size - 2.0 * ballRadius) / shadow.Extent();
    shift[0] = -scale * 0.5 * (low[0] + high[0]);
    shift[1] = -scale * low[1] + ballRadius;
    shift[2] = -scale * 0.5 * (low[2] + high[2]);
}
