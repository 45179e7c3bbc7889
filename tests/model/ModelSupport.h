// The views the model tests make models of, without a window: the n-cube of the model, turned as
// the window turns it, seen by the viewer's camera.
#pragma once

#include "model/ModelSource.h"

#include <utility>
#include <vector>

// The n-cube turned by `angle` radians in each plane of `planes`, in turn.
ModelSource CubeSource(int n, bool faces, const std::vector<std::pair<int, int>>& planes = {},
                       double angle = 0.0);
// Every plane of two of the n axes.
std::vector<std::pair<int, int>> EveryPlane(int n);
