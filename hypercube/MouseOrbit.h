// Mouse control of the orbit camera: left-button drags orbit it, the wheel zooms it.
#pragma once

#include <cstdint>

class OrbitCamera;

// Radians of orbit per pixel of drag.
inline constexpr float dragAngle = 0.002f;
// Zoom fraction per wheel unit: one notch of 120 moves the eye 2.4 % of its distance.
inline constexpr float wheelZoomFactor = 0.0002f;

// One frame of mouse orbit. While the left button is held, the movement since the previous call
// yaws the camera (horizontal) and then pitches it (vertical). The last position is refreshed on
// every call, so pressing the button never makes the view jump, and movement made while calls were
// skipped is applied at once.
void ApplyMouseOrbit(OrbitCamera& camera, bool leftButton, int16_t mouseX, int16_t mouseY,
                     int16_t& lastMouseX, int16_t& lastMouseY);

// Zooms by one wheel event: a positive delta (wheel turned away from the user) moves the eye nearer.
void ApplyMouseWheel(OrbitCamera& camera, int16_t delta);
