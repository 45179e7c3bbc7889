#include "export/RgbaPicture.h"

#include <cstring>

namespace {

// One pixel read as a little-endian word, B | G << 8 | R << 16 | A << 24, as the word of R, G, B
// and an opaque alpha. Words rather than bytes: the compiler does whole rows of them at once.
uint32_t OpaqueRgbaOfBgra(uint32_t bgra) {
    return (bgra & 0x0000ff00u) | (bgra >> 16 & 0xffu) | (bgra & 0xffu) << 16 | 0xff000000u;
}

void ConvertRow(uint32_t* row, int width) {
    for (int x = 0; x < width; ++x)
        row[x] = OpaqueRgbaOfBgra(row[x]);
}

} // namespace

void RgbaPicture::TurnOverFromBgra() {
    // A row of words: the pixels' bytes are copied in and out, so that no alignment is assumed.
    std::vector<uint32_t> top(static_cast<size_t>(width)), bottom(static_cast<size_t>(width));
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    // Rows y and height - 1 - y change places; in an odd height the middle row is its own partner
    // and is converted once.
    for (int y = 0; y <= height - 1 - y; ++y) {
        std::memcpy(top.data(), Row(y), rowBytes);
        std::memcpy(bottom.data(), Row(height - 1 - y), rowBytes);
        ConvertRow(top.data(), width);
        ConvertRow(bottom.data(), width);
        std::memcpy(Row(y), bottom.data(), rowBytes);
        std::memcpy(Row(height - 1 - y), top.data(), rowBytes);
    }
}
