// The label textures of a cube's faces: label m is the number m cut out of an opaque white tile, the
// same in every dimension. So a store resized from one cube's face count to another's keeps the
// labels both cubes have and makes or frees only the difference.
#pragma once

#include <cstdint>

class TextTexture;

class FaceLabels {
public:
    FaceLabels() = default;
    // The textures need the OpenGL context that made them, so an owner with labels calls Clear (or
    // lets the store go) while that context is still current.
    ~FaceLabels();
    FaceLabels(const FaceLabels&) = delete;
    FaceLabels& operator=(const FaceLabels&) = delete;
    // Moving hands the textures over; the store moved from is left empty.
    FaceLabels(FaceLabels&& other) noexcept;
    FaceLabels& operator=(FaceLabels&& other) noexcept;

    // Labels 0 to count - 1 afterwards: the ones already made stay, the rest are rasterised (needs a
    // current OpenGL context) and those beyond count are freed. A count below 0 counts as 0.
    void Resize(int32_t count);
    // Frees every label.
    void Clear() { Resize(0); }

    int32_t Count() const { return count; }
    // Label m, 0 <= m < Count().
    TextTexture& operator[](int32_t m) const { return *labels[m]; }

private:
    TextTexture** labels = nullptr; // owned array of `capacity` pointers, the first `count` owned
    int32_t count = 0;
    int32_t capacity = 0;
};
