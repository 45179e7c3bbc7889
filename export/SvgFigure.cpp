#include "export/SvgFigure.h"

#include "export/FigureNumbers.h"

#include <cstdint>

namespace {

// Points on a grid of a tenth of a pixel; the gradients' ends and the stops finer, as they are few.
constexpr int pointDecimals = 1;
constexpr int gradientDecimals = 2;
constexpr int offsetDecimals = 4;
constexpr int opacityDecimals = 3;

void Number(std::string& out, double value, int decimals) {
    FigureNumbers::Append(out, FigureNumbers::Units(value, decimals), decimals);
}

void Attribute(std::string& out, const char* name, double value, int decimals) {
    out += ' ';
    out += name;
    out += "=\"";
    Number(out, value, decimals);
    out += '"';
}

void Colour(std::string& out, const FigureColour& colour) {
    static constexpr char hex[] = "0123456789abcdef";
    out += '#';
    for (float channel : {colour.red, colour.green, colour.blue}) {
        const int byte = FigureNumbers::ColourByte(channel);
        out += hex[byte >> 4];
        out += hex[byte & 15];
    }
}

// Text as XML character data: the markup characters escaped, and the control characters XML 1.0
// cannot hold left out.
void Escaped(std::string& out, const std::string& text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (byte >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            out += c;
    }
}

// One coordinate of a path's data after another: a space between them unless the sign parts them.
void PathNumber(std::string& out, int64_t units) {
    if (units >= 0 && !out.empty() && out.back() != 'm' && out.back() != 'M' && out.back() != 'l')
        out += ' ';
    FigureNumbers::Append(out, units, pointDecimals, false);
}

// The contours as one path's data: each point rounded on the grid, and written as the step from
// the point before, so that the rounding does not add up along a contour. A point that rounds onto
// the one before is left out.
void PathData(std::string& out, const FigureArea& area) {
    bool first = true;
    int64_t x = 0, y = 0; // where the path stands: after a z, the start of the contour closed
    for (const std::vector<FigurePoint>& contour : area.contours) {
        if (contour.empty())
            continue;
        int64_t startX = 0, startY = 0;
        for (size_t i = 0; i < contour.size(); ++i) {
            const int64_t px = FigureNumbers::Units(contour[i].x, pointDecimals);
            const int64_t py = FigureNumbers::Units(contour[i].y, pointDecimals);
            if (i == 0) {
                out += first ? 'M' : 'm';
                PathNumber(out, first ? px : px - x);
                PathNumber(out, first ? py : py - y);
                if (first)
                    out += 'l'; // pairs after M would be absolute; after m they are steps
                startX = px;
                startY = py;
                first = false;
            } else if (px != x || py != y) {
                PathNumber(out, px - x);
                PathNumber(out, py - y);
            }
            x = px;
            y = py;
        }
        out += 'z';
        x = startX;
        y = startY;
    }
}

} // namespace

std::string SvgFigure::Write(const Figure& figure) {
    std::string out;
    out.reserve(64 + figure.areas.size() * 256);
    const std::string width = std::to_string(figure.width), height = std::to_string(figure.height);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "version=\"1.1\" width=\"" +
           width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + ' ' + height + "\">\n<metadata>";
    Escaped(out, figure.view);
    out += "</metadata>\n<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"";
    Colour(out, figure.background);
    out += "\"/>\n";
    int gradients = 0;
    for (const FigureArea& area : figure.areas) {
        if (!area.Drawn())
            continue;
        const FigurePaint& paint = area.paint;
        std::string fill;
        if (paint.Flat()) {
            Colour(fill, paint.colour);
        } else {
            const std::string id = 'g' + std::to_string(gradients++);
            out += "<linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\"";
            Attribute(out, "x1", paint.from.x, gradientDecimals);
            Attribute(out, "y1", paint.from.y, gradientDecimals);
            Attribute(out, "x2", paint.to.x, gradientDecimals);
            Attribute(out, "y2", paint.to.y, gradientDecimals);
            out += '>';
            for (const FigureStop& stop : paint.stops) {
                out += "<stop";
                Attribute(out, "offset", stop.offset, offsetDecimals);
                out += " stop-color=\"";
                Colour(out, stop.colour);
                out += "\"/>";
            }
            out += "</linearGradient>\n";
            fill = "url(#" + id + ')';
        }
        out += "<path fill-rule=\"evenodd\" fill=\"" + fill + '"';
        if (FigureNumbers::Units(paint.opacity, opacityDecimals) != 1000)
            Attribute(out, "fill-opacity", paint.opacity, opacityDecimals);
        out += " d=\"";
        PathData(out, area);
        out += "\"/>\n";
    }
    out += "</svg>\n";
    return out;
}
