#include "hypercube/View.h"

#include "hypercube/MouseOrbit.h"
#include "hypercube/OrbitCamera.h"
#include "hypercube/PlaneTurn.h"

#include <cmath>

namespace {

constexpr double notch = 120.0 * wheelZoomFactor;

OrbitCamera ViewerCamera() {
    OrbitCamera camera;
    SetUpViewerCamera(camera);
    return camera;
}

bool AllFinite(const float* values, int count) {
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(values[i]))
            return false;
    return true;
}

double Dot3(const float* a, const float* b) {
    return double(a[0]) * b[0] + double(a[1]) * b[1] + double(a[2]) * b[2];
}

bool RefuseView(std::string* reason, const std::string& why) {
    if (reason)
        *reason = why;
    return false;
}

// The nearest rotation for an orientation that is already within the tolerance of one, in double
// precision. Returns the determinant's sign.
double Straighten(View& view) {
    const SquareMatrix straight = view.Orientation().OrthonormalColumns();
    view.SetOrientation(straight);
    return straight.Determinant();
}

} // namespace

View::View() {
    for (int i = 0; i < maxDimension; ++i)
        At(i, i) = 1.0;
}

double NearestViewDistance() {
    return ViewerCamera().minDistance * (1.0 - notch);
}

double FarthestViewDistance() {
    return ViewerCamera().maxDistance * (1.0 + notch);
}

// Scaled in single precision the eye can still land a rounding step outside the limit, so it is
// then moved inwards one representable step at a time (two or three at most).
void BringWithinZoomLimits(float (&eye)[3]) {
    const double distance = std::sqrt(Dot3(eye, eye));
    if (distance <= 0.0 || (distance >= NearestViewDistance() && distance <= FarthestViewDistance()))
        return;
    const bool tooFar = distance > FarthestViewDistance();
    const double limit = tooFar ? FarthestViewDistance() : NearestViewDistance();
    for (int i = 0; i < 3; ++i)
        eye[i] = static_cast<float>(eye[i] * limit / distance);
    for (int step = 0;
         step < 8 && (tooFar ? std::sqrt(Dot3(eye, eye)) > limit : std::sqrt(Dot3(eye, eye)) < limit); ++step)
        for (float& e : eye)
            if (e != 0.0f)
                e = std::nextafter(e, tooFar ? 0.0f : std::copysign(INFINITY, e));
}

void View::TurnInPlane(int a, int b, double angle) {
    const PlaneTurn<double> turn(angle);
    for (int k = 0; k < dimension; ++k)
        turn.Apply(At(a, k), At(b, k));
}

SquareMatrix View::Orientation() const {
    SquareMatrix matrix(dimension);
    for (int r = 0; r < dimension; ++r)
        for (int c = 0; c < dimension; ++c)
            matrix(r, c) = At(r, c);
    return matrix;
}

void View::SetOrientation(const SquareMatrix& matrix) {
    for (int r = 0; r < matrix.Size(); ++r)
        for (int c = 0; c < matrix.Size(); ++c)
            At(r, c) = matrix(r, c);
}

bool View::Check(std::string* reason) {
    if (dimension != 0 && !DimensionRule::Builds(dimension))
        return RefuseView(reason, "the dimension is not 0 or " + DimensionRule::RangeText());
    if (!AllFinite(eye, 3) || !AllFinite(up, 3))
        return RefuseView(reason, "the camera has a number that is not finite");
    const double distance = std::sqrt(Dot3(eye, eye));
    if (distance < NearestViewDistance() || distance > FarthestViewDistance())
        return RefuseView(reason, "the camera is outside the zoom limits");
    if (std::fabs(std::sqrt(Dot3(up, up)) - 1.0) > upTolerance)
        return RefuseView(reason, "the camera's up vector is not of unit length");
    if (std::fabs(Dot3(up, eye)) / distance > upTolerance)
        return RefuseView(reason, "the camera's up vector is not across the line of sight");

    for (int i = 0; i < dimension * maxDimension; ++i)
        if (!std::isfinite(orientation[i]))
            return RefuseView(reason, "the orientation has a number that is not finite");
    for (int j = 0; j < dimension; ++j)
        for (int k = 0; k < dimension; ++k) {
            double dot = 0.0;
            for (int i = 0; i < dimension; ++i)
                dot += At(i, j) * At(i, k);
            if (std::fabs(dot - (j == k ? 1.0 : 0.0)) > rotationTolerance)
                return RefuseView(reason, "the orientation is not a rotation");
        }
    View straight = *this;
    if (Straighten(straight) < 0.0)
        return RefuseView(reason, "the orientation is a reflection, not a rotation");
    *this = straight;
    return true;
}
