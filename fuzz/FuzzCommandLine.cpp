// libFuzzer target: the fuzzer's bytes are read as the program's command line, split into words as
// WinMain splits them and parsed, and nothing more: no window opens and no file is written. A line
// that is accepted must leave every option within the limits of export/FileKinds.h, which the help
// gives, and combinations the help forbids refused; a refused line must say why in exactly one
// line. Any broken rule aborts, so the fuzzer keeps the input.
#include "app/CommandLine.h"
#include "export/FileKinds.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string shownLine;

void Require(bool held, const char* rule) {
    if (held)
        return;
    std::fprintf(stderr, "fuzz_commandline: %s for the line \"%s\"\n", rule, shownLine.c_str());
    std::abort();
}

void CheckWords(const std::vector<std::string>& words) {
    std::string joined;
    for (const std::string& word : words) {
        Require(word.find('"') == std::string::npos, "a word kept a double quote");
        // Every word written back in double quotes must split into the same words again.
        joined += " \"" + word + "\"";
    }
    Require(CommandLine::SplitWords(joined.c_str()) == words, "quoted words split differently");
}

void CheckAccepted(const CommandLine& options) {
    const CommandLine defaults;
    if (options.help || options.version)
        return; // answered before anything else is looked at
    Require(FileKinds::pictureWidth.Holds(options.request.width), "a width outside its limits");
    Require(FileKinds::clipFrames.Holds(options.request.frames), "a frame count outside its limits");
    Require(FileKinds::clipRate.Holds(options.request.fps), "a frame rate outside its limits");
    Require(!options.hasView ||
                (3 <= options.request.view->dimension && options.request.view->dimension <= 8) ||
                options.request.view->dimension == 0,
            "a view of a dimension the viewer cannot build");
    const bool rendering = !options.request.renderFile.empty();
    Require(rendering || (options.request.width == defaults.request.width && !options.request.panel &&
                          (!options.request.turning || options.printFrames)),
            "--width, --panel or --turn accepted without --render, or a tour neither drawn nor printed");
    Require(!options.printFrames || (!rendering && options.request.tour.FrameCount() > 0),
            "--print-frames accepted with --render, or without a tour to print");
    Require(options.request.turning || (options.request.frames == defaults.request.frames &&
                                        options.request.fps == defaults.request.fps),
            "--frames or --fps accepted without --turn");
    Require(!(rendering && options.printView), "--print-view accepted with --render");
    const RenderRequest& request = options.request;
    if (request.Model()) {
        Require(std::isfinite(request.modelSize) && request.modelSize > 0.0 && request.Strut() > 0.0 &&
                    request.Strut() <= FileKinds::strutMostShare * request.modelSize,
                "a model's size or strut outside its limits");
        Require(!request.turning && !request.panel && request.width == defaults.request.width,
                "a model accepted with --turn, --panel or --width");
        Require(request.view->dimension >= 3, "a model of no hypercube");
    } else {
        Require(request.modelSize == defaults.request.modelSize && request.strut == defaults.request.strut,
                "--size or --strut accepted without a model");
    }
    if (options.request.turning) {
        Require(options.request.turnFrom != options.request.turnTo, "a turn in the plane of one axis");
        Require(0 <= options.request.turnFrom && options.request.turnFrom < options.request.view->dimension &&
                    0 <= options.request.turnTo && options.request.turnTo < options.request.view->dimension,
                "a turn about an axis the cube does not have");
        Require(!options.request.kind || options.request.kind->use == FileUse::clip,
                "a turn whose request names a kind of file that is no clip");
    } else if (rendering) {
        const FileKind* kind = options.request.kind;
        Require(kind && kind->use != FileUse::clip &&
                    kind == FileKinds::Find(options.request.renderFile, kind->use),
                "a still accepted into a file of no picture's, figure's or model's kind, or of another kind");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The command line is a C string: it ends at the first NUL.
    std::string line(reinterpret_cast<const char*>(data), size);
    line = line.substr(0, line.find('\0'));
    shownLine = line;
    const std::vector<std::string> words = CommandLine::SplitWords(line.c_str());
    CheckWords(words);

    CommandLine options;
    std::string reason;
    if (CommandLine::Read(words, &options, &reason)) {
        CheckAccepted(options);
    } else {
        Require(!reason.empty(), "a refusal without a reason");
        Require(reason.find('\n') == std::string::npos && reason.find('\r') == std::string::npos,
                "a refusal whose reason is more than one line");
    }
    return 0;
}
