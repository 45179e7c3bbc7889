#include "app/CommandLine.h"

#include "platform/Win32.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// ASCII only: a Windows console would show UTF-8 Chinese as garbage.
const char helpText[] = "Usage: tessary [--help | --version]\n"
                        "An interactive viewer of n-dimensional hypercubes, from 3 to 8 dimensions.\n"
                        "\n"
                        "Controls:\n"
                        "  click the entry field, type 3 to 8   the dimension; Backspace deletes\n"
                        "  the button at the top right          build the hypercube (7 and 8 ask first)\n"
                        "  the check box                        white edges only, or numbered faces too\n"
                        "  hold two digit keys 0 to 7           turn it in the plane of those axes\n"
                        "  Shift while turning                  turn the other way\n"
                        "  left-drag, mouse wheel               orbit the camera, move it nearer or further\n"
                        "  Escape                               quit\n"
                        "\n"
                        "Options:\n"
                        "  --help      show this help and exit\n"
                        "  --version   show the version and exit\n";

// Words as Windows separates them: blanks between words, double quotes around a word with blanks.
std::vector<std::string> SplitWords(const char* commandLine) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char* c = commandLine; *c; ++c) {
        if (*c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((*c == ' ' || *c == '\t') && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += *c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

#ifdef _WIN32
// A GUI program has no console of its own. Unless its output is redirected, the answer goes to the
// console of the shell that started it.
void ReachConsole() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((output == nullptr || output == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
}
#else
void ReachConsole() {}
#endif

} // namespace

bool AnswerCommandLine(const char* commandLine, int* exitCode) {
    if (!commandLine)
        return false;
    const std::vector<std::string> words = SplitWords(commandLine);
    if (words.empty())
        return false;

    ReachConsole();
    bool help = false;
    for (const std::string& word : words) {
        if (word != "--help" && word != "--version") {
            std::fprintf(stderr, "tessary: unknown argument '%s' (see tessary --help)\n", word.c_str());
            *exitCode = 2;
            return true;
        }
        help = help || word == "--help";
    }
    std::fputs(help ? helpText : "tessary " TESSARY_VERSION "\n", stdout);
    std::fflush(stdout);
    *exitCode = 0;
    return true;
}
