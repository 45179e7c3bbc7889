// A figure is the window's picture: every kind of view, drawn by the tools that read the formats
// (librsvg, poppler), against the program's own PNG of the same view and width, judged as
// tests/figure/FigureComparison.h says.
#include "tests/export/ExportFolder.h"
#include "tests/export/FigureTools.h"
#include "tests/figure/FigureComparison.h"
#include "tests/support/AppFixture.h"

#include "export/PdfFigure.h"
#include "export/SvgFigure.h"
#include "export/TikzFigure.h"
#include "figure/FigureProjection.h"
#include "figure/LabelOutlines.h"
#include "figure/ViewFigure.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScenePalette.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"
#include "platform/Gl.h"
#include "render/PictureDrawer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

struct FigureCase {
    std::string name;
    View view;
    int width = 1024;
    bool light = false;
};

// The n-cube turned in a plane of every axis, the camera orbited by `yaw` and `pitch` radians at
// `distance`.
View Turned(int n, bool faces, double yaw, double pitch, double distance = 150.0) {
    View view;
    view.dimension = n;
    view.wireframe = !faces;
    for (int a = 0; a < n; ++a) {
        view.TurnInPlane(a, (a + 1) % n, 0.37 * (a + 1));
        if (n > 3)
            view.TurnInPlane(a, (a + 3) % n, 0.3 + 0.1 * a);
    }
    const double eye[3] = {std::sin(yaw) * std::cos(pitch), std::sin(pitch), std::cos(yaw) * std::cos(pitch)};
    const double up[3] = {-std::sin(yaw) * std::sin(pitch), std::cos(pitch),
                          -std::cos(yaw) * std::sin(pitch)};
    for (int i = 0; i < 3; ++i) {
        view.eye[i] = static_cast<float>(eye[i] * distance);
        view.up[i] = static_cast<float>(up[i]);
    }
    return view;
}

std::vector<FigureCase> Cases() {
    View axisAligned;
    axisAligned.dimension = 4;
    axisAligned.wireframe = false;
    // The nearest the camera may come, where a face's perspective is strongest.
    const double nearest = NearestViewDistance() * 1.001;
    // The wireframe after the faces were shown: the fog they switched on stays, from the eye.
    View foggedWireframe = Turned(5, false, 0.3, -0.2, 260.0);
    foggedWireframe.fogged = true;
    return {
        {"3-cube with faces, turned and orbited", Turned(3, true, 0.6, 0.3)},
        {"axis-aligned 4-cube from the start camera", axisAligned},
        {"4-cube with faces at the near zoom limit", Turned(4, true, 0.2, -0.4, nearest)},
        {"4-cube at the near zoom limit, 2048 wide", Turned(4, true, 0.2, -0.4, nearest), 2048},
        {"5-cube wireframe, turned and orbited", Turned(5, false, -0.9, 0.5)},
        {"5-cube wireframe under the faces' fog, zoomed out", foggedWireframe},
        {"5-cube with faces, light", Turned(5, true, 0.4, 0.2), 1024, true},
        {"6-cube with faces", Turned(6, true, 1.2, -0.2)},
        {"7-cube wireframe, light", Turned(7, false, 0.1, 0.1), 1024, true},
        {"8-cube with faces", Turned(8, true, -0.3, 0.6)},
    };
}

class FigureMatchesPictureTest : public AppFixture {
protected:
    // Shows each case and hands `check` its picture, its figure and the edges' centre lines.
    void ForEachCase(const std::function<void(const FigureCase&, const RgbaPicture&, const Figure&,
                                              const std::vector<FigureSegment>&)>& check) {
        ASSERT_TRUE(InitScene());
        CTessary* screen = static_cast<CTessary*>(Manager().ActiveScreen());
        LabelOutlines labels;
        for (const FigureCase& c : Cases()) {
            SCOPED_TRACE(c.name);
            std::string reason;
            View view = c.view;
            ASSERT_TRUE(view.Check(&reason)) << reason;
            ASSERT_TRUE(ScreenView::Apply(*screen, view, &reason)) << reason;
            const ScenePalette palette = c.light ? ScenePalette::Light() : ScenePalette::Dark();
            const RgbaPicture picture = PictureDrawer::Draw(*screen, c.width, false, palette);
            const Figure figure = ViewFigure::Draw(*screen, c.width, palette, ViewText::Format(view), labels);
            const FigureProjection projection(screen->camera, figure.width, figure.height);
            std::vector<FigureSegment> edges;
            const HypercubeModel& model = screen->model;
            for (int32_t i = 0; i < model.edgeCount; ++i) {
                double a[3], b[3];
                for (int k = 0; k < 3; ++k) {
                    a[k] = model.Vertex(model.edges[i].first)[k];
                    b[k] = model.Vertex(model.edges[i].second)[k];
                }
                edges.push_back({projection.Picture(a), projection.Picture(b)});
            }
            check(c, picture, figure, edges);
        }
    }
};

} // namespace

TEST_F(FigureMatchesPictureTest, LibrsvgAndPopplerDrawTheWindowsPictureOfEveryKindOfView) {
    if (!HaveTool("rsvg-convert", "librsvg2-bin") || !HaveTool("pdftoppm", "poppler-utils") ||
        !HaveTool("xmllint", "libxml2-utils"))
        return;
    ExportFolder folder;
    const std::string errors = folder.Path("errors");
    ForEachCase([&](const FigureCase& c, const RgbaPicture& picture, const Figure& figure,
                    const std::vector<FigureSegment>& edges) {
        const double halfWidth = 1.5 * c.width / 1024.0;
        Save(folder.Path("f.svg"), SvgFigure::Write(figure));
        EXPECT_TRUE(Command("xmllint --noout " + folder.Path("f.svg"), errors).ok) << FileText(errors);
        const FigureMatch svg = CompareWithPicture(
            picture, DrawSvg(folder.Path("f.svg"), folder.Path("svg.png")), edges, halfWidth);
        EXPECT_TRUE(svg.Holds()) << "SVG: " << svg.Describe();
        std::printf("%s, SVG: %s\n", c.name.c_str(), svg.Describe().c_str());
        Save(folder.Path("f.pdf"), PdfFigure::Write(figure));
        // One page of 4:3, no font and no image: each tool lists only its heading of two lines.
        const std::string size = std::to_string(c.width) + " x " + std::to_string(c.width * 3 / 4) + " pts";
        EXPECT_NE(Command("pdfinfo " + folder.Path("f.pdf"), errors).output.find("Pages:           1\n"),
                  std::string::npos);
        EXPECT_NE(Command("pdfinfo " + folder.Path("f.pdf"), errors).output.find(size), std::string::npos)
            << size;
        for (const char* tool : {"pdffonts ", "pdfimages -list "}) {
            const std::string listed = Command(tool + folder.Path("f.pdf"), errors).output;
            EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 2) << tool << ":\n" << listed;
        }
        const FigureMatch pdf = CompareWithPicture(
            picture, DrawPdf(folder.Path("f.pdf"), folder.Path("pdf"), figure.width, figure.height), edges,
            halfWidth);
        EXPECT_TRUE(pdf.Holds()) << "PDF: " << pdf.Describe();
        std::printf("%s, PDF: %s\n", c.name.c_str(), pdf.Describe().c_str());
        EXPECT_GT(svg.centrePixels, 100u) << "edges to judge";
    });
}

// pdflatex takes seconds for the larger cubes, so this runs beside the test above rather than after it.
class TikzMatchesPictureTest : public FigureMatchesPictureTest {};

TEST_F(TikzMatchesPictureTest, PdflatexDrawsTheWindowsPictureOfEveryKindOfView) {
    if (!HaveTool("pdflatex", "texlive-latex-base and texlive-pictures") ||
        !HaveTool("pdftoppm", "poppler-utils"))
        return;
    ExportFolder folder;
    ForEachCase([&](const FigureCase& c, const RgbaPicture& picture, const Figure& figure,
                    const std::vector<FigureSegment>& edges) {
        const RgbaPicture drawn =
            DrawTikz(folder.Path(""), TikzFigure::Write(figure), figure.width, figure.height);
        ASSERT_EQ(drawn.width, figure.width)
            << "pdflatex or pdftoppm failed: " << FileText(folder.Path("page.log"));
        const FigureMatch tikz = CompareWithPicture(picture, drawn, edges, 1.5 * c.width / 1024.0);
        EXPECT_TRUE(tikz.Holds()) << "TikZ: " << tikz.Describe();
        std::printf("%s, TikZ: %s\n", c.name.c_str(), tikz.Describe().c_str());
    });
}
