// A 4 × 4 matrix stored column by column, as OpenGL lays it out, with the few constructions the
// fixed-function pipeline and GLU need.
#pragma once

#include <array>

namespace webgl {

struct Vec4 {
    float x, y, z, w;
};

class GlMatrix {
public:
    static GlMatrix Identity();
    static GlMatrix Ortho(double left, double right, double bottom, double top, double nearZ, double farZ);
    static GlMatrix Perspective(double fovyDegrees, double aspect, double nearZ, double farZ);
    static GlMatrix LookAt(const double eye[3], const double centre[3], const double up[3]);
    static GlMatrix Translation(double x, double y, double z);

    // this · other, the order in which glMultMatrix and every matrix call of GLU compose.
    GlMatrix operator*(const GlMatrix& other) const;
    Vec4 Apply(const Vec4& v) const;

    float& at(int row, int column) { return m[column * 4 + row]; }
    float at(int row, int column) const { return m[column * 4 + row]; }

    std::array<float, 16> m{};
};

} // namespace webgl
