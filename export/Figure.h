// A picture as flat, filled shapes in drawing order: what the vector formats (SvgFigure, PdfFigure,
// TikzFigure) write. Nothing here knows the cube; figure/ turns a view into one of these.
//
// Coordinates are picture pixels, the origin at the top-left corner and y downwards, as in the PNG
// of the same view; a format that counts y upwards turns them over itself. Every shape is an area
// filled by the even-odd rule, so a contour inside another cuts a hole (the numbers in a face), and
// a stroke is an area too (an edge is the parallelogram the window fills for it).
#pragma once

#include <string>
#include <vector>

// Red, green and blue from 0 to 1.
struct FigureColour {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
};

struct FigurePoint {
    double x = 0.0;
    double y = 0.0;
};

// A colour `offset` of the way (0 to 1) from FigurePaint::from to FigurePaint::to.
struct FigureStop {
    double offset = 0.0;
    FigureColour colour;
};

// A flat colour, or one that changes along the line from `from` to `to`: a point takes the colour at
// its projection onto that line, interpolated linearly between the stops around it, and the first or
// last stop's colour beyond the ends. The whole area is painted with `opacity` over what lies below.
struct FigurePaint {
    FigureColour colour;           // the flat colour, when there are no stops
    std::vector<FigureStop> stops; // none, or at least two with offsets rising from 0 to 1
    FigurePoint from;
    FigurePoint to;
    float opacity = 1.0f;

    bool Flat() const { return stops.empty(); }
};

// Closed polygons, each at least three points, the last joined to the first.
struct FigureArea {
    std::vector<std::vector<FigurePoint>> contours;
    FigurePaint paint;

    // Whether the area covers anything: without a contour of three points it draws nothing, and the
    // writers leave it out (a PDF clip to no path at all would clip nothing away).
    bool Drawn() const {
        for (const std::vector<FigurePoint>& contour : contours)
            if (contour.size() >= 3)
                return true;
        return false;
    }
};

struct Figure {
    int width = 0; // pixels; a PDF's page and a TikZ picture are as many points
    int height = 0;
    FigureColour background;       // a rectangle over the whole picture, under every area
    std::string view;              // the view text the figure was drawn from, kept in the file's metadata
    std::vector<FigureArea> areas; // the first is drawn first, lowest
};
