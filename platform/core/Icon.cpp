// Icons: native windows show the system's default icon, so the handles only need to be valid.
#include "platform/Win32.h"

HICON WINAPI LoadIconW(HINSTANCE, LPCWSTR) {
    static int systemIcon = 0;
    return reinterpret_cast<HICON>(&systemIcon);
}
