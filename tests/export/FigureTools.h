// The tools nobody here wrote that read the figures (librsvg, poppler, xmllint, pdflatex), run as a
// user would, and what the tests need around them.
#pragma once

#include "export/Figure.h"
#include "export/RgbaPicture.h"

#include <string>
#include <utility>
#include <vector>

// An area of `contours` in one flat colour, and the contour of an axis-aligned box, for the
// figures the tests write by hand.
inline FigureArea Area(std::vector<std::vector<FigurePoint>> contours, FigureColour colour,
                       float opacity = 1.0f) {
    FigureArea area;
    area.contours = std::move(contours);
    area.paint.colour = colour;
    area.paint.opacity = opacity;
    return area;
}

inline std::vector<FigurePoint> Box(double left, double top, double right, double bottom) {
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

// A command's standard output and whether it ended well; its standard error goes to `errors`.
struct ToolRun {
    bool ok = false;
    std::string output;
};

ToolRun Command(const std::string& line, const std::string& errors);
std::string FileText(const std::string& path);
void Save(const std::string& path, const std::string& bytes);

// A tool the test needs, or a failure that says which Debian package brings it.
bool HaveTool(const std::string& tool, const std::string& package);

// librsvg's and poppler's drawing of a figure at its own size (`png` is where it goes); an empty
// picture, and a failure with the tool's complaint, when the tool fails.
RgbaPicture DrawSvg(const std::string& svg, const std::string& png);
RgbaPicture DrawPdf(const std::string& pdf, const std::string& pngStem, int width, int height);
// A TikZ figure \input into a page of its own size in `folder` (which ends with a slash), compiled by
// pdflatex and drawn by poppler at one pixel a point; an empty picture when either fails (the
// folder's page.log tells why).
RgbaPicture DrawTikz(const std::string& folder, const std::string& tikz, int width, int height);
