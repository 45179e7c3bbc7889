// An eye/up/target camera that orbits a fixed target: Yaw turns the eye about the up vector, Pitch
// tilts eye and up together about the view's horizontal axis, Zoom slides the eye along the line of
// sight between a near and a far limit. All state is single precision and every intermediate is
// stored as a float.
#pragma once

class OrbitCamera {
public:
    // f > 0 moves the eye towards the target by the fraction f of the distance, f < 0 away from it.
    // Nearer moves are taken only while the distance exceeds minDistance, further ones only while it
    // is below maxDistance; the limit is checked before the move, so the eye can end just past it.
    void Zoom(float f);
    // Rotates eye and up by theta radians about normalise((target - eye) x up), or about (0, 0, 1)
    // when that cross product is zero.
    void Pitch(float theta);
    // Rotates the eye by theta radians about `up` as stored. This is a true rotation only while the
    // line of sight is perpendicular to `up`, which Pitch and Yaw preserve.
    void Yaw(float theta);
    // Scales `up` to unit length; a zero `up` becomes (0, 0, 1). Acts even while inactive.
    void NormalizeUp();

    float eye[3] = {0.0f, 0.0f, 100.0f};
    float up[3] = {0.0f, 1.0f, 0.0f};
    float target[3] = {0.0f, 0.0f, 0.0f};
    bool active = false; // Zoom, Pitch and Yaw do nothing while false
    float minDistance = 200.0f;
    float maxDistance = 8000.0f;
};

// The hypercube viewer's camera: 150 units in front of the origin on +z, y up, zooming between
// 100 and 300, active.
void SetUpViewerCamera(OrbitCamera& camera);
