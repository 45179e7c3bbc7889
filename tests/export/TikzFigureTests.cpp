// The TikZ figure compiled by pdflatex and rasterised by pdftoppm, read back pixel by pixel.
#include "export/TikzFigure.h"
#include "tests/export/ExportFolder.h"
#include "tests/export/FigureTools.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int width = 200;
constexpr int height = 120;

// Every kind of shape the writer has, each in a corner of its own, nothing symmetric about the
// middle row, so that a picture drawn upside down shows.
Figure Sampler() {
    Figure figure;
    figure.width = width;
    figure.height = height;
    figure.background = {0.2f, 0.2f, 0.2f};
    figure.view = "n=4 test\nview";
    // A square with a hole turning the same way: the nonzero rule would fill it.
    figure.areas.push_back(Area({Box(10, 10, 60, 60), Box(25, 25, 45, 45)}, {1, 0, 0}));
    // White at 0.2 over blue and over the background.
    figure.areas.push_back(Area({Box(70, 10, 110, 60)}, {0, 0, 1}));
    figure.areas.push_back(Area({Box(90, 30, 130, 60)}, {1, 1, 1}, 0.2f));
    // Red, green, blue along 40..160 of a band from 10 to 190.
    FigureArea band = Area({Box(10, 66, 190, 80)}, {});
    band.paint.stops = {{0.0, {1, 0, 0}}, {0.5, {0, 1, 0}}, {1.0, {0, 0, 1}}};
    band.paint.from = {40, 73};
    band.paint.to = {160, 73};
    figure.areas.push_back(band);
    // Black to white along a diagonal.
    FigureArea tilted = Area({Box(10, 85, 60, 115)}, {});
    tilted.paint.stops = {{0.0, {0, 0, 0}}, {1.0, {1, 1, 1}}};
    tilted.paint.from = {10, 85};
    tilted.paint.to = {40, 115};
    figure.areas.push_back(tilted);
    // An edge: a parallelogram 3 px high.
    figure.areas.push_back(Area({{{80, 95}, {180, 105}, {180, 108}, {80, 98}}}, {1, 1, 0}));
    return figure;
}

struct Probe {
    const char* what;
    int x;
    int y;
    int red;
    int green;
    int blue;
};

TEST(TikzFigureTest, PdflatexDrawsHolesOpacityGradientsAndThinEdgesWhereTheFigureHasThem) {
    if (!HaveTool("pdflatex", "texlive-latex-base and texlive-pictures") ||
        !HaveTool("pdftoppm", "poppler-utils"))
        return;
    ExportFolder folder;
    const RgbaPicture picture = DrawTikz(folder.Path(""), TikzFigure::Write(Sampler()), width, height);
    ASSERT_EQ(picture.width, width) << "pdflatex or pdftoppm failed; see " << folder.Path("page.log");
    ASSERT_EQ(picture.height, height);
    const Probe probes[] = {
        {"flat area", 17, 17, 255, 0, 0},
        {"even-odd hole", 35, 35, 51, 51, 51},
        {"background below the square", 35, 64, 51, 51, 51},
        {"opaque blue", 80, 45, 0, 0, 255},
        {"0.2 white over blue", 100, 45, 51, 51, 255},
        {"0.2 white over the background", 120, 45, 92, 92, 92},
        {"before the gradient's start", 20, 73, 255, 0, 0},
        {"middle of the first span", 70, 73, 128, 128, 0},
        {"middle of the second span", 130, 73, 0, 128, 128},
        {"beyond the gradient's end", 185, 73, 0, 0, 255},
        {"tilted gradient, a third", 20, 95, 85, 85, 85},
        {"tilted gradient, half way across", 35, 90, 128, 128, 128},
        {"tilted gradient, its end", 50, 105, 255, 255, 255},
        {"thin edge", 130, 101, 255, 255, 0},
        {"beside the thin edge", 130, 96, 51, 51, 51},
    };
    constexpr int tolerance = 6;
    for (const Probe& probe : probes) {
        const uint8_t* pixel = picture.Row(probe.y) + probe.x * 4;
        const bool near = std::abs(pixel[0] - probe.red) <= tolerance &&
                          std::abs(pixel[1] - probe.green) <= tolerance &&
                          std::abs(pixel[2] - probe.blue) <= tolerance;
        EXPECT_TRUE(near) << probe.what << " at (" << probe.x << ", " << probe.y << "): expected "
                          << probe.red << " " << probe.green << " " << probe.blue << ", got " << int(pixel[0])
                          << " " << int(pixel[1]) << " " << int(pixel[2]);
    }
}

TEST(TikzFigureTest, ViewTextIsOneCommentLineAtTheTop) {
    const std::string tikz = TikzFigure::Write(Sampler());
    EXPECT_EQ(tikz.substr(0, tikz.find('\n')), "% view: n=4 test view");
}

} // namespace
