// On Windows the system calls WinMain; elsewhere the C++ entry point hands over to it and then
// releases what the platform layer keeps for the whole process.
#include "platform/PlatformShutdown.h"
#include "platform/Win32.h"

#include <cstdio>
#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

#ifndef _WIN32
// WinMain gets the arguments as Windows passes them: one string, without the program's name, with
// double quotes around a word that contains blanks.
static std::string JoinArguments(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (i > 1)
            commandLine += ' ';
        if (word.empty() || word.find_first_of(" \t") != std::string::npos)
            commandLine += '"' + word + '"';
        else
            commandLine += word;
    }
    return commandLine;
}

int main(int argc, char** argv) {
    // WinMain's words cannot hold a double quote: joined and split again, a file name with one
    // would silently become another name. Such an argument is refused like any other bad one.
    for (int i = 1; i < argc; ++i)
        if (std::strchr(argv[i], '"')) {
            std::fprintf(stderr, "tessary: argument %d holds a double quote, which no argument may hold\n",
                         i);
            return 2;
        }
    std::string commandLine = JoinArguments(argc, argv);
    int exitCode = WinMain(GetModuleHandleW(nullptr), nullptr, commandLine.data(), 0);
    ShutdownPlatform();
    return exitCode;
}
#endif
