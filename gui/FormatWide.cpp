#include "gui/FormatWide.h"

#include <algorithm>
#include <cstdarg>
#include <cwchar>
#include <vector>

namespace {

// Formats into a scratch buffer large enough for the whole output; empty when even the largest try
// fails (an encoding error, or output beyond the bound).
std::vector<WCHAR> FormatWhole(const WCHAR* format, va_list values) {
    constexpr size_t largest = size_t(1) << 20;
    for (size_t size = 256; size <= largest; size *= 4) {
        std::vector<WCHAR> scratch(size);
        va_list copy;
        va_copy(copy, values);
        const int written = std::vswprintf(scratch.data(), size, format, copy);
        va_end(copy);
        if (written >= 0) {
            scratch.resize(static_cast<size_t>(written));
            return scratch;
        }
    }
    return {};
}

} // namespace

int FormatWide(WCHAR* buffer, size_t capacity, const WCHAR* format, ...) {
    if (!buffer || capacity == 0)
        return -1;
    va_list values;
    va_start(values, format);
    va_list copy;
    va_copy(copy, values);
    int written = std::vswprintf(buffer, capacity, format, copy);
    va_end(copy);
    // vswprintf reports output that does not fit as a failure and leaves the buffer unspecified;
    // format the whole text elsewhere and keep the part that fits.
    if (written < 0) {
        const std::vector<WCHAR> whole = FormatWhole(format, values);
        const size_t kept = std::min(whole.size(), capacity - 1);
        std::copy_n(whole.begin(), kept, buffer);
        buffer[kept] = 0;
    }
    va_end(values);
    return written;
}
