#include "hypercube/KeyRotation.h"

#include "hypercube/HypercubeModel.h"
#include "platform/Win32.h"

void ApplyKeyRotation(HypercubeModel& model, const bool keys[128], uint32_t now, uint32_t& lastTick) {
    const uint32_t elapsed = now - lastTick;
    lastTick = now;

    // Only the two lowest held digits below the dimension count, whatever order they were pressed
    // in, so the lower axis always turns towards the higher one.
    const int32_t dimension = model.dimension;
    int32_t a = 0;
    while (a < dimension && !keys[firstDigitKey + a])
        ++a;
    int32_t b = a + 1;
    while (b < dimension && !keys[firstDigitKey + b])
        ++b;
    if (b >= dimension)
        return;

    float angle = static_cast<float>(static_cast<double>(elapsed) * static_cast<double>(rotationRate));
    if (keys[VK_SHIFT])
        angle = -angle;
    model.RotatePlane(a, b, angle);
}
