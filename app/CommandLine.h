// The command line of WinMain. The viewer itself takes no arguments; as a program installed in the
// system's path it still answers --help and --version and refuses anything else.
#pragma once

// Answers a command line that asks for something other than the viewer. Returns true when the
// program must end at once with *exitCode: 0 after --help or --version, 2 after any other argument.
// An empty or null command line returns false: the viewer starts.
bool AnswerCommandLine(const char* commandLine, int* exitCode);
