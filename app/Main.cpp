// On Windows the system calls WinMain; elsewhere the C++ entry point hands over to it and then
// releases what the platform layer keeps for the whole process.
#include "platform/PlatformShutdown.h"
#include "platform/Win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

#ifndef _WIN32
int main() {
    int exitCode = WinMain(GetModuleHandleW(nullptr), nullptr, nullptr, 0);
    ShutdownPlatform();
    return exitCode;
}
#endif
