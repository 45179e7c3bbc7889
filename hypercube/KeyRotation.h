// Turning the hypercube with held digit keys: the two lowest held digits name the plane, the time
// since the previous frame sets the angle, Shift reverses the direction.
#pragma once

#include <cstdint>

class HypercubeModel;

// Radians per millisecond: 1.6 rad/s, one full turn in about 3.9 s.
inline constexpr float rotationRate = 0.0016f;
// Virtual-key code of the main keyboard's digit 0; digit d (code 0x30 + d) selects axis d.
inline constexpr int32_t firstDigitKey = 0x30;

// The plane the held digits turn the cube in: the two lowest held digits below `dimension`, *a the
// lower axis, which turns towards *b. False, with *a and *b untouched, while fewer than two are held.
bool HeldPlane(const bool keys[128], int32_t dimension, int32_t* a, int32_t* b);
// Whether the held keys turn the other way (Shift).
bool TurnReversed(const bool keys[128]);

// One frame of key rotation. `keys` is the 128-entry key table indexed by virtual-key code, `now`
// the current millisecond tick count and `lastTick` the count seen by the previous call; `lastTick`
// becomes `now` on every call, whether or not anything turns. The elapsed time is taken in unsigned
// 32-bit arithmetic, so a wrap of the tick counter still gives the true difference.
void ApplyKeyRotation(HypercubeModel& model, const bool keys[128], uint32_t now, uint32_t& lastTick);
