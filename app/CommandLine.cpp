#include "app/CommandLine.h"

#include "export/FileKinds.h"
#include "hypercube/ViewText.h"
#include "platform/Win32.h"
#include "tour/TourReader.h"
#include "tour/TourSource.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const char helpText[] = "Usage: tessary [--view VIEW] [--print-view]\n"
                        "       tessary --render FILE [--view VIEW] [--width W] [--panel] [--light]\n"
                        "       tessary --render FILE --turn A,B [--frames N] [--fps F] [--view VIEW]\n"
                        "       tessary --render FILE --tour TOUR [--loop] [--fps F] [--view VIEW]\n"
                        "       tessary --view VIEW --tour TOUR [--loop] [--fps F] --print-frames\n"
                        "       tessary --render MODEL --view VIEW [--size MM] [--strut MM] [--light]\n"
                        "       tessary --help | --version\n"
                        "An interactive viewer of n-dimensional hypercubes, from 3 to 8 dimensions.\n"
                        "\n"
                        "Controls:\n"
                        "  click the entry field, type 3 to 8   the dimension; Backspace deletes\n"
                        "  the button at the top right          build the hypercube (7 and 8 ask first)\n"
                        "  the check box                        white edges only, or numbered faces too\n"
                        "  hold two digit keys 0 to 7           turn it in the plane of those axes\n"
                        "  Shift while turning                  turn the other way\n"
                        "  left-drag, mouse wheel               orbit the camera, zoom in or out\n"
                        "  Escape                               quit\n"
                        "\n"
                        "Options:\n"
                        "  --view VIEW      start in a view printed by --print-view\n"
                        "                   e.g. tessary --view v1.4f.Q...\n"
                        "  --print-view     print the view of the last frame when the window closes\n"
                        "                   e.g. tessary --print-view > my.view\n"
                        "  --render FILE    draw without a window into FILE: a picture .png, a vector\n"
                        "                   figure .svg .pdf .tex (TikZ), a 3-D model of struts and\n"
                        "                   balls .glb (glTF) .stl .3mf .obj, or with --turn or --tour\n"
                        "                   a clip\n"
                        "                   .webp .gif .png (numbered) .mp4 .webm (mp4/webm need ffmpeg)\n"
                        "                   e.g. tessary --render cube.png --view \"$(cat my.view)\"\n"
                        "                   e.g. tessary --render cube.svg --view \"$(cat my.view)\"\n"
                        "                   e.g. tessary --render cube.glb --view \"$(cat my.view)\"\n"
                        "                   e.g. tessary --render cube.stl --view ... (for a slicer)\n"
                        "                   e.g. tessary --render cube.3mf --view ... (for a slicer)\n"
                        "                   e.g. tessary --render cube.obj --view ...\n"
                        "  --width W        picture width, 256 to 4096, height 3/4 of it (default 1024)\n"
                        "                   e.g. tessary --render big.png --width 2048 --view ...\n"
                        "  --panel          keep the control panel and frame counter in the picture\n"
                        "                   e.g. tessary --render whole.png --panel\n"
                        "  --light          black edges on white, for print, in a picture, clip or figure\n"
                        "                   (a model's struts and balls black)\n"
                        "                   e.g. tessary --render print.pdf --light --view ...\n"
                        "  --turn A,B       one whole turn in the plane of axes A and B, as holding\n"
                        "                   digit keys A and B; -A,B turns the other way, as Shift\n"
                        "                   e.g. tessary --render turn.webp --turn 0,3 --view ...\n"
                        "  --frames N       frames of the turn, 2 to 10000 (default 120)\n"
                        "                   e.g. tessary --render turn.gif --turn 1,2 --frames 60\n"
                        "  --tour TOUR      a clip through steps, at a steady pace (docs/tours.md):\n"
                        "                   turn A,B by DEG in DUR; orbit DEG in DUR; hold DUR;\n"
                        "                   to VIEW|start in DUR [ease|linear]; faces on|off\n"
                        "                   DUR is 2s, 500ms or 48f (frames); @FILE reads the steps\n"
                        "                   e.g. tessary --render t.gif --tour \"turn 0,3 by 90 in 2s\" ...\n"
                        "  --loop           the tour ends where it starts: no frame shows twice in a loop\n"
                        "                   e.g. tessary --render t.webp --loop --tour @my.tour ...\n"
                        "  --print-frames   print the tour's frames undrawn: number, seconds, step, view\n"
                        "                   e.g. tessary --view ... --tour @my.tour --print-frames\n"
                        "  --fps F          frames per second of the clip, 1 to 100 (default 30)\n"
                        "                   e.g. tessary --render turn.mp4 --turn 0,3 --fps 60\n"
                        "  --size MM        a model's largest extent in millimetres, balls included\n"
                        "                   (default 100); .glb and .obj are in metres, 1/1000 of it\n"
                        "                   e.g. tessary --render cube.stl --size 60 --view ...\n"
                        "  --strut MM       a model's strut diameter in millimetres, at most a tenth\n"
                        "                   of the size (default 2.5% of it); balls are 1.8 times it\n"
                        "                   e.g. tessary --render cube.3mf --strut 3 --view ...\n"
                        "  -h, --help       show this help and exit (e.g. tessary -h)\n"
                        "  --version        show the version and exit (e.g. tessary --version)\n"
                        "\n"
                        "A VIEW is the text --print-view prints: dimension, mode, orientation and camera.\n";

bool Fail(std::string* reason, const std::string& why) {
    *reason = why;
    return false;
}

// A word of the command line in single quotes for a reason. Windows separates words only at blanks
// and tabs, so a word may hold a line break or another control character; each is shown as '?' so
// that the reason stays one line.
std::string Quoted(const std::string& word) {
    std::string shown = "'";
    for (char c : word)
        shown += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    return shown + "'";
}

// A number of millimetres as a refusal shows it: "2.5", "250".
std::string FigureNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// The reason for a picture in a file of no picture's or figure's kind. It names the kinds of every build: a
// build without a clip's writer says so when the clip is opened.
std::string WrongPictureKind() {
    std::vector<const FileKind*> clipsOnly;
    for (const FileKind* kind : FileKinds::Select(FileUse::clip, false))
        if (!FileKinds::Find(kind->extension, FileUse::picture))
            clipsOnly.push_back(kind);
    return "--render: a picture is written as " +
           FileKinds::Sentence(FileKinds::Select(FileUse::picture, false), false, "or") + ", a figure as " +
           FileKinds::Sentence(FileKinds::Select(FileUse::figure, false), false, "or") + ", a 3-D model as " +
           FileKinds::Sentence(FileKinds::Select(FileUse::model, false), false, "or") +
           "; clips (with --turn) also as " + FileKinds::Sentence(clipsOnly, false, "or");
}

// The kind of file `path` names for the request: a clip with --turn, otherwise a figure or a
// picture. Null when it names none.
const FileKind* KindOf(const std::string& path, bool turning) {
    if (turning)
        return FileKinds::Find(path, FileUse::clip);
    if (const FileKind* figure = FileKinds::Find(path, FileUse::figure))
        return figure;
    return FileKinds::Find(path, FileUse::picture);
}

// A whole decimal number within `limit`, nothing before or after it.
bool ReadInt(const std::string& word, FileLimit limit, int* value) {
    if (word.empty() || word.size() > 9 || word.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int read = std::atoi(word.c_str());
    if (!limit.Holds(read))
        return false;
    *value = read;
    return true;
}

// "A,B" or "-A,B" with two different digits.
bool ReadTurn(const std::string& word, RenderRequest* options) {
    std::string plane = word;
    options->turnBack = !plane.empty() && plane[0] == '-';
    if (options->turnBack)
        plane.erase(0, 1);
    if (plane.size() != 3 || plane[1] != ',' || plane[0] < '0' || plane[0] > '9' || plane[2] < '0' ||
        plane[2] > '9' || plane[0] == plane[2])
        return false;
    options->turnFrom = plane[0] - '0';
    options->turnTo = plane[2] - '0';
    return true;
}

bool ReadFps(const std::string& word, double* fps) {
    if (word.empty() || word.find_first_not_of("0123456789.") != std::string::npos)
        return false;
    char* end = nullptr;
    const double read = std::strtod(word.c_str(), &end);
    if (*end != '\0' || !FileKinds::clipRate.Holds(read))
        return false;
    *fps = read;
    return true;
}

// A positive decimal number of millimetres ("100", "2.5", ".5"), nothing before or after it.
bool ReadMillimetres(const std::string& word, double* millimetres) {
    if (word.empty() || word.size() > 20 || word.find_first_not_of("0123456789.") != std::string::npos)
        return false;
    char* end = nullptr;
    const double read = std::strtod(word.c_str(), &end);
    if (*end != '\0' || !(read > 0.0) || !std::isfinite(read))
        return false;
    *millimetres = read;
    return true;
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

// The options given whose values have defaults, which the rules between options ask after, and
// the tour's steps, which are timed once the view and the rate are known.
struct Given {
    bool width = false;
    bool size = false;
    bool strut = false;
    bool frames = false;
    bool fps = false;
    bool tour = false;
    bool loop = false;
    std::vector<TourStep> steps;
};

// --turn A,B --frames N is the tour of one whole turn in N frames, looping.
std::vector<TourStep> WholeTurn(const RenderRequest& request) {
    TourStep turn;
    turn.kind = TourStep::Kind::turn;
    turn.number = 1;
    turn.low = std::min(request.turnFrom, request.turnTo);
    turn.high = std::max(request.turnFrom, request.turnTo);
    turn.degrees = request.turnBack ? -360.0 : 360.0;
    turn.duration = {static_cast<double>(request.frames), true};
    return {turn};
}

// The option `word`, with its `value` when it takes one, into *options. False with the reason when
// the option is unknown or its value is not one it takes.
bool ReadOption(const std::string& word, const std::string& value, CommandLine* options, Given* given,
                std::string* reason) {
    RenderRequest& request = options->request;
    std::string why;
    if (word == "--help" || word == "-h") {
        options->help = true;
    } else if (word == "--version") {
        options->version = true;
    } else if (word == "--print-view") {
        options->printView = true;
    } else if (word == "--panel") {
        request.panel = true;
    } else if (word == "--light") {
        request.light = true;
    } else if (word == "--view") {
        if (!ViewText::Parse(value, &request.view, &why))
            return Fail(reason, "--view: " + why);
        request.viewText = value;
        options->hasView = true;
    } else if (word == "--render") {
        if (value.empty())
            return Fail(reason, "--render needs a file name");
        request.renderFile = value;
    } else if (word == "--width") {
        if (!ReadInt(value, FileKinds::pictureWidth, &request.width))
            return Fail(reason, "--width " + Quoted(value) + " is not a whole number " +
                                    FileKinds::pictureWidth.Span());
        given->width = true;
    } else if (word == "--turn") {
        if (!ReadTurn(value, &request))
            return Fail(reason, "--turn " + Quoted(value) + " is not two different axes A,B or -A,B");
        request.turning = true;
        options->turnGiven = true;
    } else if (word == "--frames") {
        if (!ReadInt(value, FileKinds::clipFrames, &request.frames))
            return Fail(reason, "--frames " + Quoted(value) + " is not a whole number " +
                                    FileKinds::clipFrames.Span());
        given->frames = true;
    } else if (word == "--fps") {
        if (!ReadFps(value, &request.fps))
            return Fail(reason, "--fps " + Quoted(value) + " is not a number " + FileKinds::clipRate.Span());
        given->fps = true;
    } else if (word == "--tour") {
        std::string text;
        if (!TourSource::Load(value, &text, &why) || !TourReader::Read(text, &given->steps, &why))
            return Fail(reason, "--tour: " + why);
        given->tour = true;
        request.turning = true;
    } else if (word == "--loop") {
        given->loop = true;
    } else if (word == "--print-frames") {
        options->printFrames = true;
    } else if (word == "--size" || word == "--strut") {
        if (!ReadMillimetres(value, word == "--size" ? &request.modelSize : &request.strut))
            return Fail(reason, word + " " + Quoted(value) + " is not a positive number of millimetres");
        (word == "--size" ? given->size : given->strut) = true;
    } else {
        return Fail(reason, "unknown argument " + Quoted(word) + " (see tessary --help)");
    }
    return true;
}

// The rules between options, once each has been read: what needs --render or --turn, what a figure
// cannot be, the turn's axes within the view's cube, and a file of a kind the request can be. The
// request's kind is found here, once.
bool CheckTogether(const Given& given, CommandLine* options, std::string* reason) {
    RenderRequest& request = options->request;
    const bool rendering = !request.renderFile.empty();
    if (given.tour && options->turnGiven)
        return Fail(reason, "--tour and --turn both make a clip; give one of them");
    if (!rendering && (given.width || request.panel || request.light || options->turnGiven))
        return Fail(reason, "--width, --panel, --light and --turn need --render FILE");
    if (!rendering && (given.size || given.strut))
        return Fail(reason, "--size and --strut need --render FILE of a 3-D model");
    if (given.frames && !options->turnGiven)
        return Fail(reason, "--frames and --fps need --turn A,B");
    if (given.fps && !request.turning)
        return Fail(reason, "--frames and --fps need --turn A,B (--fps also --tour)");
    if ((given.loop || options->printFrames) && !given.tour)
        return Fail(reason, "--loop and --print-frames need --tour (a --turn clip always loops)");
    if (options->printFrames && rendering)
        return Fail(reason, "--print-frames prints the frames instead of drawing them; it takes no --render");
    if (given.tour && !rendering && !options->printFrames)
        return Fail(reason, "--tour needs --render FILE or --print-frames");
    if (options->printFrames)
        return Tour::Make(given.steps, request.view, request.fps, given.loop, &request.tour, reason) ||
               Fail(reason, "--tour: " + *reason);
    if (!rendering)
        return true;
    if (options->printView)
        return Fail(reason, "--print-view prints when the window closes; --render shows no window");
    // A model is a still object of its own size: a turn, a picture's width and the panel are refused
    // before anything is drawn, and so are struts too thick for the size.
    if (const FileKind* model = FileKinds::Find(request.renderFile, FileUse::model)) {
        if (given.tour)
            return Fail(reason, std::string("--tour makes clips; a ") + model->extension + " model is still");
        if (request.turning || given.width || request.panel)
            return Fail(reason, std::string("--turn, --width and --panel are not for 3-D models; a ") +
                                    model->extension + " model takes --size and --strut");
        if (request.view->dimension == 0)
            return Fail(reason,
                        std::string("a ") + model->extension + " model needs a --view with a hypercube");
        request.kind = model;
        const double most = FileKinds::strutMostShare * request.modelSize;
        if (request.Strut() > most)
            return Fail(reason, "--strut " + FigureNumber(request.Strut()) +
                                    " is thicker than a tenth of --size " + FigureNumber(request.modelSize));
        return true;
    }
    if (given.size || given.strut)
        return Fail(reason, "--size and --strut are for 3-D models: --render FILE with " +
                                FileKinds::Sentence(FileKinds::Select(FileUse::model, false), false, "or"));
    request.kind = KindOf(request.renderFile, request.turning);
    // A figure asked to turn is named in the refusal, though no clip's kind is a figure.
    const FileKind* figure = request.turning ? FileKinds::Find(request.renderFile, FileUse::figure)
                                             : (request.Figure() ? request.kind : nullptr);
    if (figure) {
        if (request.turning)
            return Fail(reason, std::string(given.tour ? "--tour" : "--turn") + " makes clips; a " +
                                    figure->extension + " file is a still figure");
        if (request.panel)
            return Fail(reason, std::string("--panel is kept in pictures and clips; a ") + figure->extension +
                                    " figure shows the hypercube alone");
    }
    if (given.tour) {
        if (!Tour::Make(given.steps, request.view, request.fps, given.loop, &request.tour, reason))
            return Fail(reason, "--tour: " + *reason);
    } else if (request.turning) {
        const int dimension = request.view->dimension;
        if (dimension == 0)
            return Fail(reason, "--turn needs a --view with a hypercube to turn");
        if (request.turnFrom >= dimension || request.turnTo >= dimension)
            return Fail(reason, "--turn: the " + std::to_string(dimension) + "-cube has the axes 0 to " +
                                    std::to_string(dimension - 1));
        // One whole turn has no step that could be refused, and its frame count is --frames.
        if (!Tour::Make(WholeTurn(request), request.view, request.fps, true, &request.tour, reason))
            return false;
    } else if (!request.kind) {
        return Fail(reason, WrongPictureKind());
    }
    return true;
}

} // namespace

const char* CommandLine::HelpText() {
    return helpText;
}

std::vector<std::string> CommandLine::SplitWords(const char* commandLine) {
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

bool CommandLine::Read(const std::vector<std::string>& words, CommandLine* options, std::string* reason) {
    Given given;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool takesValue = word == "--view" || word == "--render" || word == "--width" ||
                                word == "--turn" || word == "--frames" || word == "--fps" ||
                                word == "--tour" || word == "--size" || word == "--strut";
        if (takesValue && i + 1 == words.size())
            return Fail(reason, word + " needs a value (see tessary --help)");
        if (!ReadOption(word, takesValue ? words[++i] : std::string(), options, &given, reason))
            return false;
    }
    if (options->help || options->version)
        return true;
    return CheckTogether(given, options, reason);
}

bool CommandLine::Answer(const char* commandLine, CommandLine* options, int* exitCode) {
    if (!commandLine)
        return false;
    const std::vector<std::string> words = SplitWords(commandLine);
    if (words.empty())
        return false;

    ReachConsole();
    std::string reason;
    if (!Read(words, options, &reason)) {
        std::fprintf(stderr, "tessary: %s\n", reason.c_str());
        *exitCode = 2;
        return true;
    }
    if (options->printFrames && !options->help && !options->version) {
        for (int k = 0; k < options->request.tour.FrameCount(); ++k)
            std::printf("%s\n", options->request.tour.Line(k).c_str());
        std::fflush(stdout);
        *exitCode = 0;
        return true;
    }
    if (!options->help && !options->version)
        return false;
    std::fputs(options->help ? helpText : "tessary " TESSARY_VERSION "\n", stdout);
    std::fflush(stdout);
    *exitCode = 0;
    return true;
}
