#include "hypercube/OrbitCamera.h"

#include <cmath>

namespace {

// Float vectors whose every operation rounds its result to float, as the camera's state is kept.
struct Vec3 {
    float x, y, z;
};

Vec3 Load(const float v[3]) {
    return {v[0], v[1], v[2]};
}

void Store(float v[3], Vec3 value) {
    v[0] = value.x;
    v[1] = value.y;
    v[2] = value.z;
}

Vec3 operator+(Vec3 p, Vec3 q) {
    return {p.x + q.x, p.y + q.y, p.z + q.z};
}
Vec3 operator-(Vec3 p, Vec3 q) {
    return {p.x - q.x, p.y - q.y, p.z - q.z};
}
Vec3 operator*(float f, Vec3 p) {
    return {f * p.x, f * p.y, f * p.z};
}

Vec3 Cross(Vec3 p, Vec3 q) {
    return {p.y * q.z - p.z * q.y, p.z * q.x - p.x * q.z, p.x * q.y - p.y * q.x};
}

float Length(Vec3 p) {
    return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
}

float Cos(float theta) {
    return static_cast<float>(std::cos(static_cast<double>(theta)));
}
float Sin(float theta) {
    return static_cast<float>(std::sin(static_cast<double>(theta)));
}

} // namespace

void OrbitCamera::Zoom(float f) {
    if (!active)
        return;
    const Vec3 d = Load(target) - Load(eye);
    const float distance = Length(d);
    if ((f >= 0.0f && distance > minDistance) || (f < 0.0f && distance < maxDistance))
        Store(eye, Load(eye) + f * d);
}

void OrbitCamera::Pitch(float theta) {
    if (!active)
        return;
    const Vec3 d = Load(target) - Load(eye);
    const Vec3 oldUp = Load(up);
    const Vec3 r = Cross(d, oldUp);
    const float rLength = Length(r);
    // With the line of sight along `up` there is no horizontal axis; any fixed one keeps the motion
    // defined.
    const Vec3 k =
        rLength > 0.0f ? Vec3{r.x / rLength, r.y / rLength, r.z / rLength} : Vec3{0.0f, 0.0f, 1.0f};
    const float c = Cos(theta);
    const float s = Sin(theta);
    const Vec3 turned = c * d + s * Cross(k, d);
    Store(eye, Load(target) - turned);
    Store(up, c * oldUp + s * Cross(k, oldUp));
}

void OrbitCamera::Yaw(float theta) {
    if (!active)
        return;
    const Vec3 d = Load(target) - Load(eye);
    const float c = Cos(theta);
    const float s = Sin(theta);
    const Vec3 turned = c * d + s * Cross(Load(up), d);
    Store(eye, Load(target) - turned);
}

void OrbitCamera::NormalizeUp() {
    const Vec3 u = Load(up);
    const float length = Length(u);
    if (length > 0.0f)
        Store(up, {u.x / length, u.y / length, u.z / length});
    else
        Store(up, {0.0f, 0.0f, 1.0f});
}

void SetUpViewerCamera(OrbitCamera& camera) {
    Store(camera.target, {0.0f, 0.0f, 0.0f});
    Store(camera.eye, {0.0f, 0.0f, 150.0f});
    Store(camera.up, {0.0f, 1.0f, 0.0f});
    camera.NormalizeUp();
    camera.minDistance = 100.0f;
    camera.maxDistance = 300.0f;
    camera.active = true;
}
