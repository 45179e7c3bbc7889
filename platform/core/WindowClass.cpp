// RegisterClassExW and UnregisterClassW: a table of class names, atoms and window procedures.
#include "platform/core/WindowClass.h"
#include "platform/core/WindowTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform_windowing {

namespace {

struct WindowClass {
    std::wstring name;
    ATOM atom = 0;
    WNDPROC procedure = nullptr;
};

std::vector<WindowClass> classes;
// Windows hands out class atoms from 0xC000 upwards; the same range keeps atoms apart from the small
// integers MAKEINTATOM uses for system classes.
ATOM nextAtom = 0xC000;

// Class names compare without regard to case on Windows; the ASCII letters are the ones that matter.
bool SameName(const std::wstring& a, LPCWSTR b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        auto lower = [](WCHAR c) {
            return (c >= L'A' && c <= L'Z') ? static_cast<WCHAR>(c - L'A' + L'a') : c;
        };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return i == a.size() && b[i] == 0;
}

bool IsAtom(LPCWSTR classNameOrAtom) {
    return reinterpret_cast<uintptr_t>(classNameOrAtom) < 0x10000;
}

WindowClass* FindClass(LPCWSTR classNameOrAtom) {
    if (!classNameOrAtom)
        return nullptr;
    for (WindowClass& windowClass : classes) {
        if (IsAtom(classNameOrAtom) ? windowClass.atom == reinterpret_cast<uintptr_t>(classNameOrAtom)
                                    : SameName(windowClass.name, classNameOrAtom))
            return &windowClass;
    }
    return nullptr;
}

} // namespace

WNDPROC ClassProcedure(LPCWSTR classNameOrAtom) {
    const WindowClass* windowClass = FindClass(classNameOrAtom);
    return windowClass ? windowClass->procedure : nullptr;
}

ATOM ClassAtom(LPCWSTR classNameOrAtom) {
    const WindowClass* windowClass = FindClass(classNameOrAtom);
    return windowClass ? windowClass->atom : 0;
}

} // namespace platform_windowing

using namespace platform_windowing;

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* windowClass) {
    if (!windowClass || !windowClass->lpfnWndProc || !windowClass->lpszClassName ||
        IsAtom(windowClass->lpszClassName) || windowClass->lpszClassName[0] == 0)
        return 0;
    // A second class of the same name fails, as on Windows; UnregisterClassW frees the name.
    if (FindClass(windowClass->lpszClassName))
        return 0;
    classes.push_back({windowClass->lpszClassName, nextAtom++, windowClass->lpfnWndProc});
    return classes.back().atom;
}

BOOL WINAPI UnregisterClassW(LPCWSTR className, HINSTANCE) {
    const WindowClass* windowClass = FindClass(className);
    if (!windowClass || WindowsOfClass(windowClass->atom) > 0)
        return FALSE;
    classes.erase(classes.begin() + (windowClass - classes.data()));
    return TRUE;
}
