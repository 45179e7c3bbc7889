#include "hypercube/FaceLabels.h"

#include "gui/FormatWide.h"
#include "gui/TextTexture.h"

#include <utility>

// The rounded Chinese face at 60 points, big enough to read on a face seen whole.
FontSpec FaceLabels::Font() {
    return FontSpec::Named(L"幼圆", 60);
}

void FaceLabels::Text(int32_t m, WCHAR (&text)[16]) {
    FormatWide(text, 16, L"%d", m);
}

FaceLabels::~FaceLabels() {
    Clear();
}

FaceLabels::FaceLabels(FaceLabels&& other) noexcept
    : surplus(other.surplus), labels(std::exchange(other.labels, nullptr)),
      count(std::exchange(other.count, 0)), made(std::exchange(other.made, 0)),
      capacity(std::exchange(other.capacity, 0)) {}

FaceLabels& FaceLabels::operator=(FaceLabels&& other) noexcept {
    if (this != &other) {
        Clear();
        surplus = other.surplus;
        labels = std::exchange(other.labels, nullptr);
        count = std::exchange(other.count, 0);
        made = std::exchange(other.made, 0);
        capacity = std::exchange(other.capacity, 0);
    }
    return *this;
}

void FaceLabels::Clear() {
    for (; made > 0; --made)
        delete labels[made - 1];
    delete[] labels;
    labels = nullptr;
    count = 0;
    capacity = 0;
}

// Each label is an opaque white tile with the digits cut out, so the face's tint shows everywhere
// but in the number.
void FaceLabels::Resize(int32_t wanted) {
    if (wanted < 0)
        wanted = 0;
    if (surplus == Surplus::Free)
        for (; made > wanted; --made)
            delete labels[made - 1];
    if (wanted > capacity) {
        TextTexture** grown = new TextTexture*[wanted]();
        for (int32_t m = 0; m < made; ++m)
            grown[m] = labels[m];
        delete[] labels;
        labels = grown;
        capacity = wanted;
    }
    const FontSpec font = Font();
    WCHAR text[16];
    for (; made < wanted; ++made) {
        TextTexture* label = new TextTexture();
        label->SetFont(font.faceName, font.pointSize);
        label->inverted = true;
        Text(made, text);
        label->Render(text);
        labels[made] = label;
    }
    count = wanted;
    if (made == 0)
        Clear();
}
