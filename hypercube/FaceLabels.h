// The label textures of a cube's faces: label m is the number m cut out of an opaque white tile, the
// same in every dimension. So a store resized from one cube's face count to another's keeps the
// labels both cubes have and makes or frees only the difference.
#pragma once

#include "gui/FontSpec.h"

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

    // What a Resize to fewer labels does with the rest. The program frees them, so a smaller cube holds
    // only its own labels. The fuzz targets keep them for the next larger cube: building the 8-cube
    // after a smaller one, again and again, was most of their time.
    enum class Surplus { Free, Keep };

    // Labels 0 to count - 1 afterwards: the ones already made stay, the rest are rasterised (needs a
    // current OpenGL context), and those beyond count are freed or kept as `surplus` says. A count
    // below 0 counts as 0.
    void Resize(int32_t count);
    // Frees every label, kept ones too.
    void Clear();

    int32_t Count() const { return count; }
    // Label m, 0 <= m < Count().
    TextTexture& operator[](int32_t m) const { return *labels[m]; }

    // What label m is, for whoever draws it without a texture: its font, and its text, the number.
    static FontSpec Font();
    static void Text(int32_t m, WCHAR (&text)[16]);

    // A policy of the store, which moves with it.
    Surplus surplus = Surplus::Free;

private:
    TextTexture** labels = nullptr; // owned array of `capacity` pointers, the first `made` owned
    int32_t count = 0;              // labels shown: count <= made
    int32_t made = 0;
    int32_t capacity = 0;
};
