#include "hypercube/MouseOrbit.h"

#include "hypercube/OrbitCamera.h"

namespace {

float DragAngle(int32_t pixels) {
    return static_cast<float>(static_cast<double>(pixels) * static_cast<double>(dragAngle));
}

} // namespace

void ApplyMouseOrbit(OrbitCamera& camera, bool leftButton, int16_t mouseX, int16_t mouseY,
                     int16_t& lastMouseX, int16_t& lastMouseY) {
    if (leftButton) {
        const int32_t dx = static_cast<int32_t>(mouseX) - static_cast<int32_t>(lastMouseX);
        const int32_t dy = static_cast<int32_t>(mouseY) - static_cast<int32_t>(lastMouseY);
        camera.Yaw(DragAngle(dx));
        camera.Pitch(DragAngle(dy));
    }
    lastMouseX = mouseX;
    lastMouseY = mouseY;
}

void ApplyMouseWheel(OrbitCamera& camera, int16_t delta) {
    camera.Zoom(static_cast<float>(delta) * wheelZoomFactor);
}
