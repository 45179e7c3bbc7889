#include "export/FigureNumbers.h"

#include <cmath>

int64_t FigureNumbers::Units(double value, int decimals) {
    double scaled = value;
    for (int i = 0; i < decimals; ++i)
        scaled *= 10.0;
    constexpr double most = 1e12;
    if (!(scaled == scaled))
        return 0;
    scaled = std::fmin(std::fmax(scaled, -most), most);
    return static_cast<int64_t>(std::floor(scaled + 0.5));
}

void FigureNumbers::Append(std::string& out, int64_t units, int decimals, bool leadingZero) {
    if (units < 0) {
        out.push_back('-');
        units = -units;
    }
    char digits[24];
    int count = 0;
    for (uint64_t rest = static_cast<uint64_t>(units); rest > 0 || count <= decimals; rest /= 10)
        digits[count++] = static_cast<char>('0' + rest % 10);
    // digits[] holds the number backwards, with at least one digit before the point.
    int last = 0; // the lowest digit written: trailing zeros of the fraction are not
    while (last < decimals && digits[last] == '0')
        ++last;
    // Only a lone 0 before the point may be left out, and only when a fraction follows it.
    const bool loneZero = count == decimals + 1 && digits[decimals] == '0';
    for (int i = count - 1; i >= decimals; --i)
        if (!loneZero || leadingZero || last == decimals)
            out.push_back(digits[i]);
    if (last < decimals) {
        out.push_back('.');
        for (int i = decimals - 1; i >= last; --i)
            out.push_back(digits[i]);
    }
}

int FigureNumbers::ColourByte(float channel) {
    const double byte = std::floor(static_cast<double>(channel) * 255.0 + 0.5);
    return byte > 255.0 ? 255 : byte >= 0.0 ? static_cast<int>(byte) : 0;
}
