// The few kernel32 services that are not about time: arithmetic, strings and the module handle.
#include "platform/Win32.h"

#include <climits>
#include <cstdint>

int WINAPI MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    int64_t product = static_cast<int64_t>(number) * numerator;
    int64_t divisor = denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    // Rounds to nearest with halves away from zero, as Windows does: add half the divisor to the
    // magnitude before the truncating division.
    const int64_t half = divisor / 2;
    const int64_t result = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (result > INT_MAX || result < INT_MIN)
        return -1;
    return static_cast<int>(result);
}

LPWSTR WINAPI lstrcpyW(LPWSTR destination, LPCWSTR source) {
    if (!destination || !source)
        return nullptr;
    LPWSTR out = destination;
    while ((*out++ = *source++) != 0) {
    }
    return destination;
}

int WINAPI lstrlenW(LPCWSTR text) {
    if (!text)
        return 0;
    int length = 0;
    while (text[length])
        ++length;
    return length;
}

HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName) {
    // The program only asks for its own module; one fixed non-null handle stands for it. Other module
    // names are not loaded here, which Windows reports with null.
    static int thisModule = 0;
    if (moduleName)
        return nullptr;
    return reinterpret_cast<HMODULE>(&thisModule);
}
