#include "figure/FigureProjection.h"

#include "hypercube/OrbitCamera.h"
#include "hypercube/WindowLens.h"

#include <cmath>

namespace {

void Normalise(double v[3]) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length > 0.0)
        for (int i = 0; i < 3; ++i)
            v[i] /= length;
}

void Cross(const double a[3], const double b[3], double out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

double Dot(const double a[3], const double b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

} // namespace

FigureProjection::FigureProjection(const OrbitCamera& camera, int width, int height) {
    const double lookUp[3] = {camera.up[0], camera.up[1], camera.up[2]};
    for (int i = 0; i < 3; ++i) {
        eye[i] = camera.eye[i];
        forward[i] = static_cast<double>(camera.target[i]) - camera.eye[i];
    }
    // gluLookAt's frame: side = forward x up, up = side x forward, both unit length.
    Normalise(forward);
    Cross(forward, lookUp, side);
    Normalise(side);
    Cross(side, forward, up);
    // gluPerspective's cotangent of half the field of view, over the lens's aspect for x; a picture
    // spans -1 to 1 of both across its pixels.
    const double cotangent = 1.0 / std::tan(WindowLens::halfFieldRadians);
    scaleX = cotangent / WindowLens::aspect * width * 0.5;
    scaleY = cotangent * height * 0.5;
    centreX = width * 0.5;
    centreY = height * 0.5;
}

FigurePoint FigureProjection::Picture(const double p[3]) const {
    const double d[3] = {p[0] - eye[0], p[1] - eye[1], p[2] - eye[2]};
    const double depth = Dot(d, forward);
    return {centreX + Dot(d, side) / depth * scaleX, centreY - Dot(d, up) / depth * scaleY};
}

double FigureProjection::Depth(const double p[3]) const {
    const double d[3] = {p[0] - eye[0], p[1] - eye[1], p[2] - eye[2]};
    return Dot(d, forward);
}
