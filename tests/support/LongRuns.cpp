#include "tests/support/LongRuns.h"

#include <algorithm>
#include <cstdlib>

#ifndef TESSARY_LONG_RUN_DIVISOR
#define TESSARY_LONG_RUN_DIVISOR 1
#endif

int LongRunDivisor() {
    static const int divisor = [] {
        const char* text = std::getenv("TESSARY_LONG_RUN_DIVISOR");
        const int value = text && *text ? std::atoi(text) : TESSARY_LONG_RUN_DIVISOR;
        return std::max(value, 1);
    }();
    return divisor;
}

int LongRunCount(int full, int least) {
    return std::min(full, std::max(full / LongRunDivisor(), least));
}
