// Numbers as the vector formats write them, the same text on every build: a value is rounded to a
// fixed number of decimals in integers, then written without a locale, without an exponent and
// without trailing zeros. The formats write their coordinates in these units so that each point is
// rounded once, on an absolute grid, and differences between points are exact.
#pragma once

#include <cstdint>
#include <string>

class FigureNumbers {
public:
    // `value` in units of 10^-decimals, rounded half up; beyond a trillion units it is clamped,
    // and a NaN is 0.
    static int64_t Units(double value, int decimals);
    // `units` of 10^-decimals as a decimal: "12.5", "-3", "0.25", or ".25" without `leadingZero`.
    static void Append(std::string& out, int64_t units, int decimals, bool leadingZero = true);
    // A channel from 0 to 1 as a byte, rounded, what #rrggbb and the PDF's colours both show.
    static int ColourByte(float channel);
};
