// Lines wider than a pixel, which WebGL cannot draw, as two triangles in screen space, the way the
// desktop rasteriser widens them: an aliased line grows along its minor axis (a mostly horizontal
// line becomes a column of `width` pixels), a smoothed one grows across itself by half a pixel more
// on each side, and the shader fades that border by the pixel's distance from the centre line.
#pragma once

#include "platform/webgl/GlSink.h"

#include <vector>

namespace webgl {

// Appends the six vertices of the widened segment a–b (clip space) to `out`; nothing for a segment
// wholly behind the near plane or of no length on the screen.
void WidenLine(const GlVertex& a, const GlVertex& b, const Box& viewport, float width, bool smooth,
               std::vector<GlVertex>& out);

// The half width a vertex carries when it is not part of a smoothed line: full coverage everywhere.
constexpr float kNoSmoothing = 1.0e6f;

} // namespace webgl
