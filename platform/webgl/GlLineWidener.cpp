#include "platform/webgl/GlLineWidener.h"

#include <cmath>
#include <cstddef>

namespace webgl {

namespace {

GlVertex Mix(const GlVertex& a, const GlVertex& b, float t) {
    const float* pa = &a.x;
    const float* pb = &b.x;
    GlVertex r;
    float* pr = &r.x;
    for (size_t i = 0; i < sizeof(GlVertex) / sizeof(float); ++i)
        pr[i] = pa[i] + (pb[i] - pa[i]) * t;
    return r;
}

// Cuts the segment at the near plane (z = -w), where the desktop clips before it widens.
bool ClipNear(GlVertex& a, GlVertex& b) {
    const float da = a.z + a.w, db = b.z + b.w;
    if (da < 0.0f && db < 0.0f)
        return false;
    if (da < 0.0f)
        a = Mix(a, b, da / (da - db));
    else if (db < 0.0f)
        b = Mix(a, b, da / (da - db));
    return true;
}

GlVertex Offset(GlVertex v, float dx, float dy, const Box& viewport, float across, float halfWidth) {
    v.x += dx * 2.0f / static_cast<float>(viewport.width) * v.w;
    v.y += dy * 2.0f / static_cast<float>(viewport.height) * v.w;
    v.across = across;
    v.halfWidth = halfWidth;
    return v;
}

} // namespace

void WidenLine(const GlVertex& first, const GlVertex& second, const Box& viewport, float width, bool smooth,
               std::vector<GlVertex>& out) {
    GlVertex a = first, b = second;
    if (viewport.width <= 0 || viewport.height <= 0 || !ClipNear(a, b) || a.w <= 0.0f || b.w <= 0.0f)
        return;
    const float dx = (b.x / b.w - a.x / a.w) * viewport.width * 0.5f;
    const float dy = (b.y / b.w - a.y / a.w) * viewport.height * 0.5f;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0f)
        return;
    float ox, oy, across, halfWidth;
    if (smooth) {
        across = width * 0.5f + 0.5f;
        halfWidth = width * 0.5f;
        ox = -dy / length * across;
        oy = dx / length * across;
    } else {
        across = 0.0f;
        halfWidth = kNoSmoothing;
        const bool xMajor = std::fabs(dx) >= std::fabs(dy);
        ox = xMajor ? 0.0f : width * 0.5f;
        oy = xMajor ? width * 0.5f : 0.0f;
    }
    const GlVertex a0 = Offset(a, ox, oy, viewport, across, halfWidth);
    const GlVertex a1 = Offset(a, -ox, -oy, viewport, -across, halfWidth);
    const GlVertex b0 = Offset(b, ox, oy, viewport, across, halfWidth);
    const GlVertex b1 = Offset(b, -ox, -oy, viewport, -across, halfWidth);
    out.insert(out.end(), {a0, a1, b1, a0, b1, b0});
}

} // namespace webgl
