// On Windows the system calls WinMain; elsewhere the C++ entry point hands over to it.
#include "platform/Win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

#ifndef _WIN32
int main() {
    return WinMain(GetModuleHandleW(nullptr), nullptr, nullptr, 0);
}
#endif
