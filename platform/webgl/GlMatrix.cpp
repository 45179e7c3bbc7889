#include "platform/webgl/GlMatrix.h"

#include <cmath>

namespace webgl {

GlMatrix GlMatrix::Identity() {
    GlMatrix r;
    for (int i = 0; i < 4; ++i)
        r.at(i, i) = 1.0f;
    return r;
}

GlMatrix GlMatrix::Ortho(double left, double right, double bottom, double top, double nearZ, double farZ) {
    GlMatrix r = Identity();
    r.at(0, 0) = static_cast<float>(2.0 / (right - left));
    r.at(1, 1) = static_cast<float>(2.0 / (top - bottom));
    r.at(2, 2) = static_cast<float>(-2.0 / (farZ - nearZ));
    r.at(0, 3) = static_cast<float>(-(right + left) / (right - left));
    r.at(1, 3) = static_cast<float>(-(top + bottom) / (top - bottom));
    r.at(2, 3) = static_cast<float>(-(farZ + nearZ) / (farZ - nearZ));
    return r;
}

GlMatrix GlMatrix::Perspective(double fovyDegrees, double aspect, double nearZ, double farZ) {
    const double f = 1.0 / std::tan(fovyDegrees * M_PI / 360.0);
    GlMatrix r;
    r.at(0, 0) = static_cast<float>(f / aspect);
    r.at(1, 1) = static_cast<float>(f);
    r.at(2, 2) = static_cast<float>((farZ + nearZ) / (nearZ - farZ));
    r.at(2, 3) = static_cast<float>(2.0 * farZ * nearZ / (nearZ - farZ));
    r.at(3, 2) = -1.0f;
    return r;
}

GlMatrix GlMatrix::LookAt(const double eye[3], const double centre[3], const double up[3]) {
    double f[3] = {centre[0] - eye[0], centre[1] - eye[1], centre[2] - eye[2]};
    const auto normalise = [](double v[3]) {
        const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        if (length > 0.0)
            for (int i = 0; i < 3; ++i)
                v[i] /= length;
    };
    normalise(f);
    // side = forward × up, then up' = side × forward, as GLU does.
    double s[3] = {f[1] * up[2] - f[2] * up[1], f[2] * up[0] - f[0] * up[2], f[0] * up[1] - f[1] * up[0]};
    normalise(s);
    const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
    GlMatrix r = Identity();
    for (int c = 0; c < 3; ++c) {
        r.at(0, c) = static_cast<float>(s[c]);
        r.at(1, c) = static_cast<float>(u[c]);
        r.at(2, c) = static_cast<float>(-f[c]);
    }
    return r * Translation(-eye[0], -eye[1], -eye[2]);
}

GlMatrix GlMatrix::Translation(double x, double y, double z) {
    GlMatrix r = Identity();
    r.at(0, 3) = static_cast<float>(x);
    r.at(1, 3) = static_cast<float>(y);
    r.at(2, 3) = static_cast<float>(z);
    return r;
}

GlMatrix GlMatrix::operator*(const GlMatrix& other) const {
    GlMatrix r;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += at(row, k) * other.at(k, column);
            r.at(row, column) = sum;
        }
    return r;
}

Vec4 GlMatrix::Apply(const Vec4& v) const {
    const float in[4] = {v.x, v.y, v.z, v.w};
    float out[4];
    for (int row = 0; row < 4; ++row)
        out[row] = at(row, 0) * in[0] + at(row, 1) * in[1] + at(row, 2) * in[2] + at(row, 3) * in[3];
    return {out[0], out[1], out[2], out[3]};
}

} // namespace webgl
