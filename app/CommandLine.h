// The command line of WinMain: --help and --version, a view to start in, and drawing a picture, a
// vector figure or a turning clip into a file without showing a window.
#pragma once

#include "render/RenderRequest.h"

#include <string>
#include <vector>

class CommandLine {
public:
    // Words as Windows separates them: blanks between words, double quotes around a word with blanks.
    static std::vector<std::string> SplitWords(const char* commandLine);

    // Reads the words into *options. False with one line naming the fault in *reason otherwise.
    // Each word is read on its own, then the options are checked together.
    static bool Read(const std::vector<std::string>& words, CommandLine* options, std::string* reason);

    // Answers what needs no window: --help and --version on stdout, a bad argument on stderr.
    // Returns true when the program must end at once with *exitCode (0 or 2); otherwise *options
    // says what to do. Null or empty command lines start the viewer as usual.
    static bool Answer(const char* commandLine, CommandLine* options, int* exitCode);

    // The help text: every line at most 80 columns, ASCII only (a Windows console shows UTF-8
    // Chinese as garbage).
    // The formats and limits it names are export/FileKinds.h's; the tests hold it to them.
    static const char* HelpText();

    bool help = false;
    bool version = false;
    bool hasView = false;     // --view: start (or draw) in request.view
    bool printView = false;   // --print-view: the view of the last frame on stdout at the end
    bool printFrames = false; // --print-frames: request.tour's frames on stdout, one line each
    bool turnGiven = false;   // --turn (a --tour's request is turning, a clip, too)
    // The view to start in, and with --render what to draw into which kind of file: WinMain hands it
    // to render/ when request.renderFile is not empty.
    RenderRequest request;
};
