// The figure writer the command line calls: each figure kind of FileKinds in its own format, whole or
// not at all, in a picture's sizes only.
#include "export/FileKinds.h"
#include "export/FileWriters.h"
#include "export/PdfFigure.h"
#include "export/SvgFigure.h"
#include "export/TikzFigure.h"
#include "tests/export/ExportFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

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

} // namespace
