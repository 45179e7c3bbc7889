// Everything that decides the picture of the hypercube screen: the dimension (0 while nothing is
// built), faces or wireframe, the cube's orientation and the camera. A plain value: capturing it from
// the screen, applying it and writing it as text are the business of other classes.
#pragma once

#include "hypercube/DimensionRule.h"
#include "hypercube/SquareMatrix.h"

#include <string>

class View {
public:
    static constexpr int maxDimension = DimensionRule::largest;
    static_assert(maxDimension == SquareMatrix::stride, "an orientation is laid out as a SquareMatrix");
    // How far from a rotation an orientation may be and still be accepted (and straightened): the
    // largest entry of RᵀR − I. Rounding in long runs of turns and in the text stays far below it.
    static constexpr double rotationTolerance = 1e-3;
    // How far from unit length `up` may be, and from perpendicular to the line of sight.
    static constexpr double upTolerance = 1e-2;

    // The view of the program at start: nothing built, wireframe, the start-up camera.
    View();

    // Whether the view can be shown as it is, straightening the orientation into an exact rotation
    // when it is within rotationTolerance of one. On refusal *reason gets one line and nothing of the
    // view changes.
    bool Check(std::string* reason);

    // Entry (row, column) of the orientation: column k is where the cube's k-th axis points.
    double& At(int row, int column) { return orientation[row * maxDimension + column]; }
    double At(int row, int column) const { return orientation[row * maxDimension + column]; }
    // Turns the orientation by `angle` radians in the plane of axes a and b, axis a towards axis b,
    // by the PlaneTurn HypercubeModel::RotatePlane turns the vertices with.
    void TurnInPlane(int a, int b, double angle);
    // The orientation as a matrix of the view's dimension, and back.
    SquareMatrix Orientation() const;
    void SetOrientation(const SquareMatrix& matrix);

    int dimension = 0;     // 0: nothing built; otherwise 3 to 8
    bool wireframe = true; // the check box
    // Whether the wireframe is drawn under the fog that showing the faces switches on and that then
    // stays on: the far edges darker. A built cube's faces are always fogged, so this is true for
    // them; a fresh program's wireframe is not.
    bool fogged = false;
    float eye[3] = {0.0f, 0.0f, 150.0f};
    float up[3] = {0.0f, 1.0f, 0.0f};
    // Row-major, maxDimension columns per row; only the leading dimension x dimension block counts.
    double orientation[maxDimension * maxDimension] = {};
};

// The eye's distance from the origin that a view may have: the camera's zoom limits widened by the
// overshoot of one wheel notch, since the camera checks its limit before it moves.
double NearestViewDistance();
double FarthestViewDistance();
// Moves an eye (relative to the target) that lies beyond those limits onto the nearest one, in the
// same direction; an eye within them, or at the target, is left alone.
void BringWithinZoomLimits(float (&eye)[3]);
