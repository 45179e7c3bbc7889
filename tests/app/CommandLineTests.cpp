// The command line: what it accepts, how it refuses, and the help, the manual page and
// docs/export.md that describe it, held to the kinds and limits of export/FileKinds.h.
#include "app/CommandLine.h"
#include "export/FileKinds.h"
#include "hypercube/ViewText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const everyFlag[] = {"--view", "--print-view", "--render", "--width", "--panel",        "--light",
                                 "--turn", "--frames",     "--tour",   "--loop",  "--print-frames", "--fps",
                                 "--size", "--strut",      "--help",   "-h",      "--version"};

std::string FourCubeView() {
    View view;
    view.dimension = 4;
    view.TurnInPlane(0, 3, 0.6);
    return ViewText::Format(view);
}

bool Read(const std::vector<std::string>& words, CommandLine* options, std::string* reason) {
    return CommandLine::Read(words, options, reason);
}

TEST(CommandLineTest, WordsAreSplitAsWindowsSplitsThem) {
    const std::vector<std::string> words = CommandLine::SplitWords("--render \"my cube.png\"  --panel\t\"\"");
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[1], "my cube.png");
    EXPECT_EQ(words[2], "--panel");
    EXPECT_EQ(words[3], "");
}

// The request carries the kind its file names, found once from the extension in any case: a .png
// is a picture, or with --turn a numbered series of them.
TEST(CommandLineTest, TheRequestCarriesTheKindOfItsFile) {
    const struct {
        std::string file;
        bool turning;
        FileFormat format;
    } cases[] = {{"p.PNG", false, FileFormat::png},     {"s.png", true, FileFormat::pngSeries},
                 {"f.Svg", false, FileFormat::svg},     {"f.pdf", false, FileFormat::pdf},
                 {"f.tex", false, FileFormat::tikz},    {"t.webp", true, FileFormat::webp},
                 {"t.gif", true, FileFormat::gif},      {"t.webm", true, FileFormat::video},
                 {"m.GLB", false, FileFormat::glb},     {"m.stl", false, FileFormat::stl},
                 {"m.3mf", false, FileFormat::threeMf}, {"m.Obj", false, FileFormat::obj}};
    for (const auto& c : cases) {
        CommandLine options;
        std::string reason;
        std::vector<std::string> words = {"--render", c.file, "--view", FourCubeView()};
        if (c.turning)
            words.insert(words.end(), {"--turn", "0,1"});
        ASSERT_TRUE(Read(words, &options, &reason)) << c.file << ": " << reason;
        ASSERT_NE(options.request.kind, nullptr) << c.file;
        EXPECT_EQ(static_cast<int>(options.request.kind->format), static_cast<int>(c.format))
            << c.file << " read as " << options.request.kind->extension;
    }
}

TEST(CommandLineTest, EveryFlagIsReadWithItsValue) {
    CommandLine options;
    std::string reason;
    ASSERT_TRUE(Read({"--render", "t.webp", "--view", FourCubeView(), "--turn", "-3,1", "--frames", "48",
                      "--fps", "12.5", "--width", "2048", "--panel"},
                     &options, &reason))
        << reason;
    EXPECT_EQ(options.request.renderFile, "t.webp");
    EXPECT_TRUE(options.hasView);
    EXPECT_EQ(options.request.view->dimension, 4);
    EXPECT_TRUE(options.request.turning);
    EXPECT_EQ(options.request.turnFrom, 3);
    EXPECT_EQ(options.request.turnTo, 1);
    EXPECT_TRUE(options.request.turnBack);
    EXPECT_EQ(options.request.frames, 48);
    EXPECT_DOUBLE_EQ(options.request.fps, 12.5);
    EXPECT_EQ(options.request.width, 2048);
    EXPECT_EQ(options.request.Height(), 1536);
    EXPECT_TRUE(options.request.panel);

    EXPECT_FALSE(options.request.light) << "the window's palette unless --light";
    // --light is read for every use of a file.
    for (const std::string file : {"p.png", "t.webp", "f.svg", "f.tex"}) {
        CommandLine light;
        std::vector<std::string> words = {"--render", file, "--light"};
        if (file == "t.webp")
            words.insert(words.end(), {"--view", FourCubeView(), "--turn", "0,1"});
        ASSERT_TRUE(Read(words, &light, &reason)) << file << ": " << reason;
        EXPECT_TRUE(light.request.light) << file;
        EXPECT_EQ(light.request.Palette().background[0], 1.0f)
            << file << ": a light palette's background is white";
    }

    // A model's size and strut, and the strut's default share of the size.
    CommandLine model;
    ASSERT_TRUE(Read({"--render", "m.stl", "--view", FourCubeView(), "--size", "60", "--strut", "1.5"},
                     &model, &reason))
        << reason;
    EXPECT_DOUBLE_EQ(model.request.modelSize, 60.0);
    EXPECT_DOUBLE_EQ(model.request.Strut(), 1.5);
    CommandLine sized;
    ASSERT_TRUE(Read({"--render", "m.glb", "--view", FourCubeView(), "--size", "60"}, &sized, &reason))
        << reason;
    EXPECT_DOUBLE_EQ(sized.request.Strut(), FileKinds::strutShare * 60.0);

    CommandLine help;
    EXPECT_TRUE(Read({"-h"}, &help, &reason));
    EXPECT_TRUE(help.help) << "-h is --help";
}

// One past a limit's upper end, as a word of the command line.
std::string Above(FileLimit limit) {
    return std::to_string(limit.high + 1);
}

// The ends of every limit are inside it, and an extension counts in any case of letters.
TEST(CommandLineTest, TheEndsOfEveryLimitAndExtensionsInAnyCaseAreAccepted) {
    const std::string view = FourCubeView();
    const auto text = [](int value) { return std::to_string(value); };
    const std::vector<std::string> clip = {"--render", "t.gif", "--view", view, "--turn", "0,1"};
    const auto withClip = [&](std::vector<std::string> more) {
        more.insert(more.begin(), clip.begin(), clip.end());
        return more;
    };
    const std::vector<std::string> cases[] = {
        {"--render", "x.png", "--width", text(FileKinds::pictureWidth.high)},
        {"--render", "x.png", "--width", text(FileKinds::pictureWidth.low)},
        {"--render", "A.PNG"},
        {"--render", "dir.d/b.Png", "--panel"},
        withClip({"--frames", text(FileKinds::clipFrames.high), "--fps", text(FileKinds::clipRate.high)}),
        withClip({"--frames", text(FileKinds::clipFrames.low), "--fps", text(FileKinds::clipRate.low)}),
        {"--render", "T2.GIF", "--view", view, "--turn", "0,1"},
        {"--render", "X.TEX"},
        {"--render", "f.Svg", "--width", text(FileKinds::pictureWidth.low)},
        {"--render", "f.pdf", "--light"},
    };
    for (const std::vector<std::string>& words : cases) {
        CommandLine options;
        std::string reason;
        std::string line;
        for (const std::string& word : words)
            line += word + " ";
        EXPECT_TRUE(Read(words, &options, &reason)) << line << "refused: " << reason;
    }
}

// Each row is one fault; the one line must name it.
TEST(CommandLineTest, BadArgumentsAreRefusedWithOneLineNamingTheFault) {
    const std::string view = FourCubeView();
    struct Case {
        std::vector<std::string> words;
        std::string names;
    };
    const Case cases[] = {
        {{"--frobnicate"}, "unknown argument '--frobnicate'"},
        {{"--view"}, "--view needs a value"},
        {{"--view", "v1.4w.AAAA"}, "--view: the view ends too early"},
        {{"--view", "v9.4w"}, "unknown version"},
        {{"--render", "x.png", "--width", "255"}, "--width '255'"},
        {{"--render", "x.png", "--width", Above(FileKinds::pictureWidth)},
         "--width '" + Above(FileKinds::pictureWidth) + "'"},
        {{"--render", "x.png", "--width", "1e3"}, "--width '1e3'"},
        {{"--width", "800"}, "need --render"},
        {{"--panel"}, "need --render"},
        {{"--render", "x.jpg"}, ".png"},
        {{"--render", "x.png", "--print-view"}, "--print-view"},
        {{"--render", "x.gif", "--turn", "0,3"}, "--turn needs a --view with a hypercube"},
        {{"--render", "x.gif", "--view", view, "--turn", "0,4"}, "axes 0 to 3"},
        {{"--render", "x.gif", "--view", view, "--turn", "2,2"}, "--turn '2,2'"},
        {{"--render", "x.gif", "--view", view, "--turn", "0;1"}, "--turn '0;1'"},
        {{"--render", "x.gif", "--view", view, "--turn", "0,1", "--frames", "1"}, "--frames '1'"},
        {{"--render", "x.gif", "--view", view, "--turn", "0,1", "--frames", Above(FileKinds::clipFrames)},
         "--frames '" + Above(FileKinds::clipFrames) + "'"},
        {{"--render", "x.gif", "--view", view, "--turn", "0,1", "--fps", Above(FileKinds::clipRate)},
         "--fps '" + Above(FileKinds::clipRate) + "'"},
        {{"--render", "x.gif", "--view", view, "--turn", "0,1", "--fps", "0"}, "--fps '0'"},
        {{"--render", "x.gif", "--view", view, "--turn", "0,1", "--fps", "nan"}, "--fps 'nan'"},
        {{"--render", "x.png", "--frames", "10"}, "need --turn"},
        {{"--render", "x.png", "--fps", "10"}, "need --turn"},
        {{"--render", ""}, "--render needs a file name"},
        {{"--render", "x.jpg"}, ".svg, .pdf or .tex"},
        {{"--light"}, "need --render"},
        // A figure is still and shows the hypercube alone.
        {{"--render", "x.svg", "--view", view, "--turn", "0,1"},
         "--turn makes clips; a .svg file is a still figure"},
        {{"--render", "x.SVG", "--turn", "0,1"}, "--turn makes clips; a .svg file"},
        {{"--render", "x.pdf", "--panel"}, "--panel is kept in pictures and clips; a .pdf figure"},
        // A tour is a clip of its own, printed or drawn, and names the step at fault.
        {{"--render", "x.gif", "--view", view, "--turn", "0,1", "--tour", "hold 1s"}, "--tour and --turn"},
        {{"--view", view, "--tour", "hold 1s"}, "--tour needs --render FILE or --print-frames"},
        {{"--render", "x.gif", "--view", view, "--turn", "0,1", "--loop"},
         "--loop and --print-frames need --tour"},
        {{"--render", "x.gif", "--view", view, "--tour", "hold 1s", "--print-frames"},
         "it takes no --render"},
        {{"--render", "x.gif", "--view", view, "--tour", "hold 1s", "--frames", "9"}, "need --turn"},
        {{"--render", "x.svg", "--view", view, "--tour", "hold 1s"}, "--tour makes clips; a .svg file"},
        {{"--view", view, "--tour", "hold 1s; turn 0,1 by 9 in 1x", "--print-frames"},
         "--tour: step 2 'turn 0,1 by 9 in 1x': the duration '1x'"},
        {{"--view", view, "--tour", "@/nonexistent/x.tour", "--print-frames"},
         "--tour: cannot read /nonexistent/x.tour: No such file or directory"},
        {{"--view", view, "--tour", "@/nonexistent/a\nb", "--print-frames"},
         "cannot read /nonexistent/a?b: No"},
        // A model is still, has no pixels and no panel, and is sized in positive millimetres with
        // struts no thicker than a tenth of it.
        {{"--render", "m.glb", "--view", view, "--turn", "0,1"},
         "--turn, --width and --panel are not for 3-D"},
        {{"--render", "m.stl", "--view", view, "--width", "512"}, "a .stl model takes --size"},
        {{"--render", "m.glb", "--view", view, "--tour", "hold 1s"}, "--tour makes clips; a .glb model"},
        {{"--render", "m.3mf", "--view", view, "--panel"}, "not for 3-D models"},
        {{"--render", "m.obj", "--view", view, "--size", "0"}, "--size '0' is not a positive number"},
        {{"--render", "m.obj", "--view", view, "--size", "-5"}, "--size '-5'"},
        {{"--render", "m.obj", "--view", view, "--strut", "abc"}, "--strut 'abc'"},
        {{"--render", "m.obj", "--view", view, "--strut", "inf"}, "--strut 'inf'"},
        {{"--render", "m.stl", "--view", view, "--size", "20", "--strut", "2.5"},
         "--strut 2.5 is thicker than a tenth of --size 20"},
        {{"--render", "m.glb"}, "a .glb model needs a --view with a hypercube"},
        {{"--render", "x.png", "--size", "50"}, "--size and --strut are for 3-D models"},
        {{"--strut", "2"}, "--size and --strut need --render"},
        // Windows separates words only at blanks and tabs: a word may hold a line break.
        {{"--pa\nnel"}, "unknown argument '--pa?nel'"},
        {{"--render", "x.png", "--width", "1\r\n2"}, "--width '1??2'"},
    };
    for (const Case& c : cases) {
        CommandLine options;
        std::string reason;
        std::string line;
        for (const std::string& word : c.words)
            line += word + " ";
        EXPECT_FALSE(Read(c.words, &options, &reason)) << "accepted: " << line;
        EXPECT_NE(reason.find(c.names), std::string::npos)
            << line << ": expected \"" << c.names << "\" in \"" << reason << "\"";
        EXPECT_EQ(reason.find('\n'), std::string::npos) << line;
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool HasWord(const std::string& line, const std::string& flag) {
    for (size_t at = line.find(flag); at != std::string::npos; at = line.find(flag, at + 1)) {
        const bool startsWord = at == 0 || line[at - 1] == ' ' || line[at - 1] == ',';
        const size_t end = at + flag.size();
        const bool endsWord = end == line.size() || line[end] == ' ' || line[end] == ',';
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

// The text of a file of the source tree.
std::string SourceText(const std::string& path) {
    std::ifstream file(TESSARY_SOURCE_TREE "/" + path);
    EXPECT_TRUE(file) << path;
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The manual page's lines, each minus as itself (roff writes it as \-).
std::vector<std::string> ManualLines() {
    std::string text = SourceText("data/tessary.6");
    for (size_t at; (at = text.find("\\-")) != std::string::npos;)
        text.erase(at, 1);
    return Lines(text);
}

// The help's entry of `flag`: from the line that lists it to the next line that lists an option.
// Empty when no line lists it.
std::string HelpEntry(const std::vector<std::string>& lines, const char* flag) {
    size_t entry = 0;
    while (entry < lines.size() && !(lines[entry].rfind("  -", 0) == 0 && HasWord(lines[entry], flag)))
        ++entry;
    std::string block;
    for (size_t i = entry;
         i < lines.size() && (i == entry || lines[i].rfind("  -", 0) != 0) && !lines[i].empty(); ++i)
        block += lines[i] + "\n";
    return block;
}

// The manual page's entry of `flag`: from the line after its .TP to the next .TP. Empty when it has none.
std::string ManualEntry(const std::vector<std::string>& lines, const char* flag) {
    size_t entry = 1;
    while (entry < lines.size() && !(lines[entry - 1] == ".TP" && HasWord(lines[entry], flag)))
        ++entry;
    std::string block;
    for (size_t i = entry; i < lines.size() && lines[i] != ".TP"; ++i)
        block += lines[i] + "\n";
    return block;
}

TEST(CommandLineTest, HelpFitsEightyColumnsAndShowsEveryFlagWithAnExample) {
    const std::vector<std::string> lines = Lines(CommandLine::HelpText());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 80u) << "line " << i + 1 << ": " << lines[i];
        for (unsigned char c : lines[i])
            EXPECT_LT(c, 128u) << "ASCII only, line " << i + 1;
    }
    for (const char* flag : everyFlag) {
        const std::string entry = HelpEntry(lines, flag);
        ASSERT_FALSE(entry.empty()) << flag << " is not listed";
        EXPECT_NE(entry.find("e.g. tessary"), std::string::npos) << flag << " has no example:\n" << entry;
    }
}

TEST(CommandLineTest, TheManualPageListsEveryFlagWithAnExample) {
    const std::vector<std::string> lines = ManualLines();
    for (const char* flag : everyFlag) {
        const std::string entry = ManualEntry(lines, flag);
        ASSERT_FALSE(entry.empty()) << flag << " has no entry of its own";
        const size_t example = entry.find("\nExample:\n");
        ASSERT_NE(example, std::string::npos) << flag << " has no example";
        const size_t next = example + std::strlen("\nExample:\n");
        const std::string line = entry.substr(next, entry.find('\n', next) - next);
        EXPECT_NE(line.find("tessary"), std::string::npos) << flag << ": " << line;
    }
}

// The first "A to B" of a text, as the limit it states; -1 to -1 when it states none.
FileLimit StatedLimit(const std::string& text) {
    std::smatch match;
    if (!std::regex_search(text, match, std::regex("(\\d+) to (\\d+)")))
        return {-1, -1};
    return {std::stoi(match[1]), std::stoi(match[2])};
}

// The line of docs/export.md's table of limits that begins with `flag`.
std::string DocumentedLimit(const std::string& flag) {
    for (const std::string& line : Lines(SourceText("docs/export.md")))
        if (line.rfind("| `" + flag + " ", 0) == 0)
            return line;
    return "";
}

TEST(CommandLineTest, TheHelpTheManualPageAndTheDocsStateTheLimitsOfFileKinds) {
    const std::vector<std::string> help = Lines(CommandLine::HelpText());
    const std::vector<std::string> manual = ManualLines();
    const std::pair<const char*, FileLimit> limits[] = {{"--width", FileKinds::pictureWidth},
                                                        {"--frames", FileKinds::clipFrames},
                                                        {"--fps", FileKinds::clipRate}};
    for (const auto& [flag, limit] : limits) {
        const std::pair<const char*, std::string> statements[] = {
            {"--help", HelpEntry(help, flag)},
            {"the manual page", ManualEntry(manual, flag)},
            {"docs/export.md", DocumentedLimit(flag)}};
        for (const auto& [where, text] : statements) {
            const FileLimit stated = StatedLimit(text);
            EXPECT_TRUE(stated.low == limit.low && stated.high == limit.high)
                << where << " gives " << flag << " as " << stated.low << " to " << stated.high
                << ", FileKinds as " << limit.low << " to " << limit.high << ":\n"
                << text;
        }
    }
}

// The extensions a text names: words such as ".webp", alone or in backquotes.
std::set<std::string> NamedExtensions(const std::string& text) {
    static const std::regex named("(^|[\\s(`])(\\.[a-z0-9]+)(?=[\\s,)`]|$)");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), named); it != std::sregex_iterator(); ++it)
        found.insert((*it)[2]);
    return found;
}

std::set<std::string> ExtensionsOf(FileUse use) {
    std::set<std::string> extensions;
    for (const FileKind* kind : FileKinds::Select(use, false))
        extensions.insert(kind->extension);
    return extensions;
}

// --render's entry names the pictures' extensions, then the figures' from the word "figure", the
// models' from "3-D model", then the clips' after --turn;
// docs/export.md's table has a row for every kind, with the builds that write it.
TEST(CommandLineTest, TheHelpTheManualPageAndTheDocsNameTheKindsOfFileKinds) {
    const std::pair<const char*, std::string> entries[] = {
        {"--help", HelpEntry(Lines(CommandLine::HelpText()), "--render")},
        {"the manual page", ManualEntry(ManualLines(), "--render")}};
    for (const auto& [where, entry] : entries) {
        const size_t figure = entry.find("figure");
        const size_t model = entry.find("3-D model");
        const size_t turn = entry.find("--turn");
        ASSERT_TRUE(figure != std::string::npos && model != std::string::npos && turn != std::string::npos &&
                    figure < model && model < turn)
            << where << " names the figures, then the models, before --turn:\n"
            << entry;
        EXPECT_EQ(NamedExtensions(entry.substr(0, figure)), ExtensionsOf(FileUse::picture)) << where;
        EXPECT_EQ(NamedExtensions(entry.substr(figure, model - figure)), ExtensionsOf(FileUse::figure))
            << where;
        EXPECT_EQ(NamedExtensions(entry.substr(model, turn - model)), ExtensionsOf(FileUse::model)) << where;
        EXPECT_EQ(NamedExtensions(entry.substr(turn)), ExtensionsOf(FileUse::clip)) << where;
    }

    const char* const useNames[] = {" picture", " clip", " figure", " model"};
    const auto row = [&useNames](const std::string& extension, FileUse use, bool linux, bool windows) {
        return extension + useNames[static_cast<int>(use)] + (linux ? " Linux" : "") +
               (windows ? " Windows" : "");
    };
    const auto documentedUse = [](const std::string& cell) {
        if (cell.find("(picture)") != std::string::npos)
            return FileUse::picture;
        if (cell.find("(model)") != std::string::npos)
            return FileUse::model;
        return cell.find("(figure)") != std::string::npos ? FileUse::figure : FileUse::clip;
    };
    std::set<std::string> documented, table;
    for (const std::string& line : Lines(SourceText("docs/export.md"))) {
        if (line.rfind("| `.", 0) != 0)
            continue;
        std::vector<std::string> cells;
        std::istringstream in(line.substr(1));
        for (std::string cell; std::getline(in, cell, '|');)
            cells.push_back(cell.substr(cell.find_first_not_of(' ')));
        ASSERT_GE(cells.size(), 5u) << line;
        for (const std::string& extension : NamedExtensions(cells[0]))
            documented.insert(row(extension, documentedUse(cells[0]), cells[3].rfind("yes", 0) == 0,
                                  cells[4].rfind("yes", 0) == 0));
    }
    for (const FileKind& kind : FileKinds::all)
        table.insert(row(kind.extension, kind.use, kind.onLinux, kind.onWindows));
    EXPECT_EQ(documented, table) << "docs/export.md's table against FileKinds::all";
}

} // namespace
