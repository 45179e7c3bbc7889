// The command line: what it accepts, how it refuses, and the help and manual page that describe it.
#include "app/CommandLine.h"
#include "hypercube/ViewText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const everyFlag[] = {"--view",   "--print-view", "--render", "--width", "--panel",  "--turn",
                                 "--frames", "--fps",        "--help",   "-h",      "--version"};

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

TEST(CommandLineTest, EveryFlagIsReadWithItsValue) {
    CommandLine options;
    std::string reason;
    ASSERT_TRUE(Read({"--render", "t.webp", "--view", FourCubeView(), "--turn", "-3,1", "--frames", "48",
                      "--fps", "12.5", "--width", "2048", "--panel"},
                     &options, &reason))
        << reason;
    EXPECT_EQ(options.renderFile, "t.webp");
    EXPECT_TRUE(options.hasView);
    EXPECT_EQ(options.view->dimension, 4);
    EXPECT_TRUE(options.turning);
    EXPECT_EQ(options.turnFrom, 3);
    EXPECT_EQ(options.turnTo, 1);
    EXPECT_TRUE(options.turnBack);
    EXPECT_EQ(options.frames, 48);
    EXPECT_DOUBLE_EQ(options.fps, 12.5);
    EXPECT_EQ(options.width, 2048);
    EXPECT_EQ(options.Height(), 1536);
    EXPECT_TRUE(options.panel);

    CommandLine help;
    EXPECT_TRUE(Read({"-h"}, &help, &reason));
    EXPECT_TRUE(help.help) << "-h is --help";
}

// Each row is one fault; the one line must name it.
TEST(CommandLineTest, BadArgumentsAreRefusedWithOneLineNamingTheFault) {
    const std::string view = FourCubeView();
    struct Case {
        std::vector<std::string> words;
        const char* names;
    };
    const Case cases[] = {
        {{"--frobnicate"}, "unknown argument '--frobnicate'"},
        {{"--view"}, "--view needs a value"},
        {{"--view", "v1.4w.AAAA"}, "--view: the view ends too early"},
        {{"--view", "v9.4w"}, "unknown version"},
        {{"--render", "x.png", "--width", "255"}, "--width '255'"},
        {{"--render", "x.png", "--width", "4097"}, "--width '4097'"},
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
        {{"--render", "x.gif", "--view", view, "--turn", "0,1", "--fps", "0"}, "--fps '0'"},
        {{"--render", "x.gif", "--view", view, "--turn", "0,1", "--fps", "nan"}, "--fps 'nan'"},
        {{"--render", "x.png", "--frames", "10"}, "need --turn"},
        {{"--render", ""}, "--render needs a file name"},
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

// An option's entry runs from its own line to the next line that lists an option.
TEST(CommandLineTest, HelpFitsEightyColumnsAndShowsEveryFlagWithAnExample) {
    const std::vector<std::string> lines = Lines(CommandLine::HelpText());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 80u) << "line " << i + 1 << ": " << lines[i];
        for (unsigned char c : lines[i])
            EXPECT_LT(c, 128u) << "ASCII only, line " << i + 1;
    }
    for (const char* flag : everyFlag) {
        size_t entry = 0;
        while (entry < lines.size() && !(lines[entry].rfind("  -", 0) == 0 && HasWord(lines[entry], flag)))
            ++entry;
        ASSERT_LT(entry, lines.size()) << flag << " is not listed";
        std::string block = lines[entry];
        for (size_t i = entry + 1; i < lines.size() && lines[i].rfind("  -", 0) != 0 && !lines[i].empty();
             ++i)
            block += "\n" + lines[i];
        EXPECT_NE(block.find("e.g. tessary"), std::string::npos) << flag << " has no example:\n" << block;
    }
}

TEST(CommandLineTest, TheManualPageListsEveryFlagWithAnExample) {
    std::ifstream file(TESSARY_SOURCE_TREE "/data/tessary.6");
    ASSERT_TRUE(file) << "data/tessary.6";
    std::stringstream page;
    page << file.rdbuf();
    std::string text = page.str();
    for (size_t at; (at = text.find("\\-")) != std::string::npos;) // roff writes a minus as \-
        text.erase(at, 1);
    const std::vector<std::string> lines = Lines(text);
    for (const char* flag : everyFlag) {
        size_t entry = 1;
        while (entry < lines.size() && !(lines[entry - 1] == ".TP" && HasWord(lines[entry], flag)))
            ++entry;
        ASSERT_LT(entry, lines.size()) << flag << " has no entry of its own";
        size_t example = entry;
        while (example + 1 < lines.size() && lines[example] != "Example:" && lines[example] != ".TP")
            ++example;
        ASSERT_EQ(lines[example], "Example:") << flag << " has no example";
        EXPECT_NE(lines[example + 1].find("tessary"), std::string::npos)
            << flag << ": " << lines[example + 1];
    }
}

} // namespace
