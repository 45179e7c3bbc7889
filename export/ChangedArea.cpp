#include "export/ChangedArea.h"

#include <cstring>

namespace {

bool SamePixel(const uint8_t* a, const uint8_t* b) {
    return std::memcmp(a, b, 4) == 0;
}

} // namespace

ChangedArea ChangedArea::Between(const RgbaPicture& before, const RgbaPicture& after) {
    const size_t rowBytes = static_cast<size_t>(after.width) * 4;
    const auto sameRow = [&](int y) { return std::memcmp(before.Row(y), after.Row(y), rowBytes) == 0; };
    int top = 0;
    while (top < after.height && sameRow(top))
        ++top;
    if (top == after.height)
        return ChangedArea{};
    int bottom = after.height - 1;
    while (sameRow(bottom))
        --bottom;
    // left and right (exclusive) only widen; each row is read from its ends up to them.
    int left = after.width;
    int right = 0;
    for (int y = top; y <= bottom; ++y) {
        const uint8_t* was = before.Row(y);
        const uint8_t* is = after.Row(y);
        // Most rows change only inside the columns found so far: one memcmp says so.
        if (std::memcmp(was, is, static_cast<size_t>(left) * 4) != 0) {
            int x = 0;
            while (SamePixel(was + x * 4, is + x * 4))
                ++x;
            left = x;
        }
        const size_t rightBytes = static_cast<size_t>(after.width - right) * 4;
        if (std::memcmp(was + right * 4, is + right * 4, rightBytes) != 0) {
            int x = after.width;
            while (SamePixel(was + (x - 1) * 4, is + (x - 1) * 4))
                --x;
            right = x;
        }
    }
    return ChangedArea{left, top, right - left, bottom - top + 1};
}
