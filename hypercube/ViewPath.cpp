#include "hypercube/ViewPath.h"

#include <algorithm>
#include <cmath>

namespace {

struct Vec {
    double x, y, z;
};

Vec operator+(Vec p, Vec q) {
    return {p.x + q.x, p.y + q.y, p.z + q.z};
}
Vec operator*(double f, Vec p) {
    return {f * p.x, f * p.y, f * p.z};
}
double Dot(Vec p, Vec q) {
    return p.x * q.x + p.y * q.y + p.z * q.z;
}
Vec Cross(Vec p, Vec q) {
    return {p.y * q.z - p.z * q.y, p.z * q.x - p.x * q.z, p.x * q.y - p.y * q.x};
}
double Length(Vec p) {
    return std::sqrt(Dot(p, p));
}
Vec Unit(Vec p) {
    return (1.0 / Length(p)) * p;
}
Vec Load(const float v[3]) {
    return {v[0], v[1], v[2]};
}
Vec Load(const double v[3]) {
    return {v[0], v[1], v[2]};
}
void Store(double v[3], Vec p) {
    v[0] = p.x, v[1] = p.y, v[2] = p.z;
}
// The part of v across the unit vector `across`, of unit length; `fallback` when v has none.
Vec Across(Vec v, Vec across, Vec fallback) {
    const Vec rest = v + (-Dot(v, across)) * across;
    return Length(rest) > 1e-9 ? Unit(rest) : fallback;
}
// v turned by `angle` about the unit vector `axis` (Rodrigues' formula).
Vec Turned(Vec v, Vec axis, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return c * v + s * Cross(axis, v) + ((1.0 - c) * Dot(axis, v)) * axis;
}
// Any unit vector across the unit vector v, the same for the same v.
Vec AnyAcross(Vec v) {
    return Across(std::fabs(v.x) < 0.9 ? Vec{1.0, 0.0, 0.0} : Vec{0.0, 1.0, 0.0}, v, {0.0, 0.0, 1.0});
}

} // namespace

ViewPath::ViewPath(const View& from, const View& to) : start(from), end(to) {
    start.wireframe = to.wireframe;
    if (from.dimension != to.dimension || from.dimension == 0) {
        const View axisAligned;
        start.dimension = to.dimension;
        std::copy(std::begin(axisAligned.orientation), std::end(axisAligned.orientation),
                  std::begin(start.orientation));
    }
    startOrientation = start.Orientation();
    turn = (startOrientation.Transposed() * to.Orientation()).RotationLog();

    const Vec d0 = Unit(Load(from.eye)), d1 = Unit(Load(to.eye));
    const Vec up0 = Across(Load(from.up), d0, AnyAcross(d0));
    // The eye swings about the axis across both directions; between opposite directions every
    // great circle is as short, and it takes the one about the up vector, as a yaw would.
    const Vec normal = Cross(d0, d1);
    const Vec swingAxis = Length(normal) > 1e-12 ? Unit(normal) : up0;
    swing = std::atan2(Length(normal), Dot(d0, d1));
    // Where the swing alone takes the up vector, and the turn about the end's line of sight that
    // then brings it onto the end's up vector.
    const Vec swungUp = Turned(up0, swingAxis, swing);
    const Vec up1 = Across(Load(to.up), d1, swungUp);
    twist = std::atan2(Dot(d1, Cross(swungUp, up1)), Dot(swungUp, up1));
    Store(direction, d0);
    Store(up, up0);
    Store(axis, swingAxis);
    startDistance = Length(Load(from.eye));
    endDistance = Length(Load(to.eye));
}

View ViewPath::At(double t) const {
    if (t >= 1.0)
        return end;
    if (!(t > 0.0))
        return start;
    View view = start;
    view.SetOrientation(startOrientation * (turn * t).Exp());

    const Vec swingAxis = Load(axis);
    const Vec d = Unit(Turned(Load(direction), swingAxis, t * swing));
    const Vec u = Turned(Across(Turned(Load(up), swingAxis, t * swing), d, AnyAcross(d)), d, t * twist);
    // The wheel scales the distance, so equal steps of t scale it by equal factors.
    const double distance = std::clamp(startDistance * std::pow(endDistance / startDistance, t),
                                       NearestViewDistance(), FarthestViewDistance());
    for (int i = 0; i < 3; ++i) {
        view.eye[i] = static_cast<float>((i == 0 ? d.x : i == 1 ? d.y : d.z) * distance);
        view.up[i] = static_cast<float>(i == 0 ? u.x : i == 1 ? u.y : u.z);
    }
    BringWithinZoomLimits(view.eye);
    return view;
}
