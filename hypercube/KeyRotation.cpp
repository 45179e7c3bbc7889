#include "hypercube/KeyRotation.h"

#include "hypercube/HypercubeModel.h"
#include "platform/Win32.h"

bool HeldPlane(const bool keys[128], int32_t dimension, int32_t* a, int32_t* b) {
    // Only the two lowest held digits below the dimension count, whatever order they were pressed
    // in, so the lower axis always turns towards the higher one.
    int32_t first = 0;
    while (first < dimension && !keys[firstDigitKey + first])
        ++first;
    int32_t second = first + 1;
    while (second < dimension && !keys[firstDigitKey + second])
        ++second;
    if (second >= dimension)
        return false;
    *a = first;
    *b = second;
    return true;
}

bool TurnReversed(const bool keys[128]) {
    return keys[VK_SHIFT];
}

void ApplyKeyRotation(HypercubeModel& model, const bool keys[128], uint32_t now, uint32_t& lastTick) {
    const uint32_t elapsed = now - lastTick;
    lastTick = now;

    int32_t a = 0;
    int32_t b = 0;
    if (!HeldPlane(keys, model.dimension, &a, &b))
        return;
    float angle = static_cast<float>(static_cast<double>(elapsed) * static_cast<double>(rotationRate));
    if (TurnReversed(keys))
        angle = -angle;
    model.RotatePlane(a, b, angle);
}
