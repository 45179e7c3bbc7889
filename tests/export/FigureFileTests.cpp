// The SVG and PDF figures, drawn by the tools that read those formats (librsvg, poppler), and the
// deflate stream of the PDF read back by zlib.
#include "export/Deflate.h"
#include "export/FigureNumbers.h"
#include "export/FileKinds.h"
#include "export/FileWriters.h"
#include "export/PdfFigure.h"
#include "export/SvgFigure.h"
#include "export/TikzFigure.h"
#include "tests/export/ExportFolder.h"
#include "tests/export/FigureTools.h"
#include "tests/export/ReadBack.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

namespace {

constexpr FigureColour grey{0.2f, 0.2f, 0.2f}, red{1, 0, 0}, green{0, 1, 0}, blue{0, 0, 1}, white{1, 1, 1};

// One of each kind of shape over a grey background, 240 x 100.
Figure Sampler() {
    Figure figure;
    figure.width = 240;
    figure.height = 100;
    figure.background = grey;
    figure.view = "dimension 4 <faces> & (edges) \\ \xe5\x9b\x9b";
    // A red square with a square hole, in the upper left, so that a figure turned over shows it.
    figure.areas.push_back(Area({Box(10, 10, 50, 50), Box(20, 20, 40, 40)}, red));
    // Blue at 0.2 over the square's right edge and over the background.
    figure.areas.push_back(Area({Box(40, 10, 70, 50)}, blue, 0.2f));
    // Red, green, blue with a hole, along x over 140 pixels, long spans that a shift of half a pixel changes
    // little.
    FigureArea gradient = Area({Box(80, 10, 236, 40), Box(150, 15, 170, 35)}, white);
    gradient.paint.stops = {{0.0, red}, {0.5, green}, {1.0, blue}};
    gradient.paint.from = {89.5, 25};
    gradient.paint.to = {229.5, 25};
    figure.areas.push_back(gradient);
    // An area with no line to fill draws nothing, even with a gradient that would cover the page.
    gradient.contours.clear();
    figure.areas.push_back(gradient);
    // An edge three pixels thick.
    figure.areas.push_back(Area({{{20, 70}, {120, 70}, {130, 73}, {30, 73}}}, white));
    return figure;
}

struct Expected {
    int x, y; // the pixel, whose centre is half a pixel further
    int red, green, blue;
    const char* what;
};

void ExpectPixels(const RgbaPicture& picture, const char* format) {
    const Expected expected[] = {
        {15, 15, 255, 0, 0, "the square"},
        {30, 30, 51, 51, 51, "the square's hole"},
        {5, 5, 51, 51, 51, "the background"},
        {45, 15, 204, 0, 51, "0.2 blue over red"},
        {60, 30, 41, 41, 92, "0.2 blue over grey"},
        {84, 25, 255, 0, 0, "the gradient before its start"},
        {124, 25, 128, 128, 0, "the middle of the gradient's first span"},
        {194, 25, 0, 128, 128, "the middle of its second span"},
        {232, 25, 0, 0, 255, "the gradient beyond its end"},
        {160, 25, 51, 51, 51, "the gradient's hole"},
        {70, 71, 255, 255, 255, "the thin edge"},
        {70, 75, 51, 51, 51, "below the thin edge"},
    };
    ASSERT_EQ(picture.width, 240) << format;
    ASSERT_EQ(picture.height, 100) << format;
    for (const Expected& e : expected) {
        const uint8_t* pixel = picture.Row(e.y) + e.x * 4;
        const int want[3] = {e.red, e.green, e.blue};
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(pixel[c], want[c], 4)
                << format << ", " << e.what << " at " << e.x << "," << e.y << ", channel " << c;
    }
}

TEST(FigureFileTest, SvgIsWellFormedAndLibrsvgDrawsEveryPaint) {
    if (!HaveTool("rsvg-convert", "librsvg2-bin") || !HaveTool("xmllint", "libxml2-utils"))
        return;
    ExportFolder folder;
    const std::string svg = folder.Path("figure.svg"), png = folder.Path("figure.png"),
                      errors = folder.Path("err");
    const std::string bytes = SvgFigure::Write(Sampler());
    Save(svg, bytes);
    EXPECT_TRUE(Command("xmllint --noout " + svg, errors).ok) << FileText(errors);
    EXPECT_NE(bytes.find("<metadata>dimension 4 &lt;faces&gt; &amp; (edges)"), std::string::npos) << bytes;
    ASSERT_TRUE(Command("rsvg-convert -o " + png + ' ' + svg, errors).ok) << FileText(errors);
    ExpectPixels(ReadPng(png), "SVG");
}

TEST(FigureFileTest, PdfIsOnePageWithoutFontsOrImagesAndPopplerDrawsEveryPaint) {
    if (!HaveTool("pdftoppm", "poppler-utils"))
        return;
    ExportFolder folder;
    const std::string pdf = folder.Path("figure.pdf"), errors = folder.Path("err");
    Save(pdf, PdfFigure::Write(Sampler()));
    const ToolRun info = Command("pdfinfo " + pdf, errors);
    EXPECT_TRUE(info.ok);
    EXPECT_EQ(FileText(errors), "") << "poppler's complaints";
    EXPECT_NE(info.output.find("Page size:       240 x 100 pts"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("Title:           Tessary figure"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("Subject:         dimension 4 <faces> & (edges) \\ \xe5\x9b\x9b"),
              std::string::npos)
        << info.output;
    // Each lists only its heading of two lines.
    for (const char* tool : {"pdffonts", "pdfimages -list"}) {
        const ToolRun run = Command(std::string(tool) + ' ' + pdf, errors);
        EXPECT_TRUE(run.ok) << tool << ": " << FileText(errors);
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 2) << tool << ":\n" << run.output;
    }
    ASSERT_TRUE(Command("pdftoppm -png -r 72 -scale-to-x 240 -scale-to-y 100 -singlefile " + pdf + ' ' +
                            folder.Path("figure"),
                        errors)
                    .ok)
        << FileText(errors);
    ExpectPixels(ReadPng(folder.Path("figure.png")), "PDF");
}

TEST(FigureNumbersTest, WritesEveryDigitAndDropsOnlyTrailingZerosAndALoneLeadingZero) {
    const struct {
        double value;
        bool leadingZero;
        const char* text;
    } cases[] = {{210.7, false, "210.7"}, {-210.7, false, "-210.7"}, {100.0, false, "100"},
                 {0.5, false, ".5"},      {-0.5, false, "-.5"},      {0.0, false, "0"},
                 {0.5, true, "0.5"},      {1.05, false, "1.1"},      {10.04, false, "10"},
                 {-0.04, false, "0"}};
    for (const auto& c : cases) {
        std::string out;
        FigureNumbers::Append(out, FigureNumbers::Units(c.value, 1), 1, c.leadingZero);
        EXPECT_EQ(out, c.text) << c.value << (c.leadingZero ? " with" : " without") << " a leading zero";
    }
}

TEST(DeflateTest, ZlibReadsBackEveryKindOfInput) {
    std::mt19937 random(3);
    std::string noise(200000, '\0'), repeats, numbers;
    for (char& c : noise)
        c = static_cast<char>(random());
    for (int i = 0; i < 100000; ++i)
        repeats += "abcabd"[i % 6];
    // Far more than a block and a window, with matches of every length and distance.
    for (int i = 0; i < 60000; ++i)
        numbers += std::to_string(1000 + random() % 3000) + ' ' + std::to_string(random() % 90) + " l\n";
    for (const std::string& input : {std::string(), std::string("a"), std::string("hello, hello, hello"),
                                     repeats, noise, numbers, std::string(70000, '\0')}) {
        const std::string packed = Deflate::Compress(input);
        std::string back(input.size() + 1, '\0');
        uLongf size = back.size();
        const int status = uncompress(reinterpret_cast<Bytef*>(back.data()), &size,
                                      reinterpret_cast<const Bytef*>(packed.data()), packed.size());
        back.resize(size);
        EXPECT_EQ(status, Z_OK) << input.size() << " bytes";
        EXPECT_TRUE(back == input) << input.size() << " bytes came back as " << back.size();
        if (input == repeats) {
            EXPECT_LT(packed.size(), 1000u) << "600 kB of a repeated pattern is a few thousand matches";
        }
    }
}

} // namespace

// The figure writer the command line calls: each figure kind of FileKinds in its own format, whole or
// not at all, in a picture's sizes only.
TEST(FigureFileTest, EachKindIsWrittenInItsFormatWholeOrNotAtAll) {
    ExportFolder folder;
    Figure figure;
    figure.width = FileKinds::pictureWidth.low;
    figure.height = FileKinds::PictureHeight(figure.width);
    figure.areas.push_back({{{{0, 0}, {10, 0}, {0, 10}}}, {}});
    const std::pair<const char*, std::string> written[] = {{"A.SVG", SvgFigure::Write(figure)},
                                                           {"b.pdf", PdfFigure::Write(figure)},
                                                           {"c.Tex", TikzFigure::Write(figure)}};
    std::string reason;
    for (const auto& [name, text] : written) {
        ASSERT_TRUE(FileWriters::WriteFigure(folder.Path(name), figure, &reason)) << reason;
        EXPECT_EQ(FileText(folder.Path(name)), text) << name << " is not in its extension's format";
    }

    const std::string absent = folder.Path("absent/cube.svg");
    EXPECT_FALSE(FileWriters::WriteFigure(absent, figure, &reason));
    EXPECT_EQ(reason, "cannot write " + absent + ": No such file or directory");
    EXPECT_FALSE(FileWriters::WriteFigure(folder.Path("d.png"), figure, &reason));
    EXPECT_EQ(reason,
              "cannot write " + folder.Path("d.png") +
                  ": this build writes figures as .svg, .pdf or .tex (TikZ), chosen by the extension");
    figure.height = figure.width;
    EXPECT_FALSE(FileWriters::WriteFigure(folder.Path("e.svg"), figure, &reason));
    EXPECT_NE(reason.find("a figure is from 256 to 4096 pixels wide and 3/4 as high, not 256 x 256"),
              std::string::npos)
        << reason;
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"A.SVG", "b.pdf", "c.Tex"})) << "nothing else left";
}
