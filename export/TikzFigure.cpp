#include "export/TikzFigure.h"

#include "export/FigureNumbers.h"

#include <algorithm>
#include <cmath>

namespace {

// Points go to pdfTeX as literal text that stays in TeX's main memory until the page is shipped out,
// some 20 words a point: the 8-cube's 400,000 points would need twice the default 5M words. Under
// pdfTeX the picture is therefore cut into parts of this many points, each written to the PDF file at
// once as a form (\immediate\pdfxform) and placed where it stands; other engines draw the paths in
// the picture as they are (LuaTeX has no such limit).
constexpr size_t pointsPerPart = 20000;

void AppendNumber(std::string& out, double value, int decimals) {
    FigureNumbers::Append(out, FigureNumbers::Units(value, decimals), decimals);
}

std::string Number(double value, int decimals) {
    std::string out;
    AppendNumber(out, value, decimals);
    return out;
}

// Colour channels to three decimals: finer than the 8 bits of a pixel.
std::string Rgb(const FigureColour& colour) {
    return Number(colour.red, 3) + "," + Number(colour.green, 3) + "," + Number(colour.blue, 3);
}

// PGF's coordinates: points, y upwards from the bottom edge.
struct Point {
    double x;
    double y;
};

Point Turned(const FigurePoint& p, int height) {
    return {p.x, height - p.y};
}

// Tenths of a point: the grid of the path's coordinates.
long long Tenths(double value) {
    return std::llround(value * 10.0);
}

FigureColour Mix(const FigureColour& a, const FigureColour& b, double t) {
    const auto mix = [t](float u, float v) { return static_cast<float>(u + (v - u) * t); };
    return {mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue)};
}

// The paint's colour at `t` along its line (0 at `from`, 1 at `to`).
FigureColour ColourAt(const std::vector<FigureStop>& stops, double t) {
    if (t <= stops.front().offset)
        return stops.front().colour;
    for (size_t i = 1; i < stops.size(); ++i)
        if (t <= stops[i].offset) {
            const double span = stops[i].offset - stops[i - 1].offset;
            return span <= 0.0 ? stops[i].colour
                               : Mix(stops[i - 1].colour, stops[i].colour, (t - stops[i - 1].offset) / span);
        }
    return stops.back().colour;
}

bool SameColour(const FigureColour& a, const FigureColour& b) {
    return Rgb(a) == Rgb(b);
}

// A shaded paint's line in the picture's points: where it starts, the unit vector along it and the
// one across it.
struct PaintLine {
    PaintLine(const Point& start, const Point& end, double length)
        : from(start), ex((end.x - start.x) / length), ey((end.y - start.y) / length), nx(-ey), ny(ex) {}

    Point from;
    double ex;
    double ey;
    double nx;
    double ny;
};

// The lowest and highest of the values it is shown.
struct Extent {
    double low = 1e300;
    double high = -1e300;
    void Cover(double value) {
        low = std::min(low, value);
        high = std::max(high, value);
    }
};

// How far along a paint's line, and across it, from its start, the shading must reach: over the area
// within the picture, and two points more, so that the clip's antialiased edge finds colour under it.
struct ShadingBox {
    double low;
    double high;
    double acrossFrom;
    double acrossTo;

    static ShadingBox Of(const FigureArea& area, const PaintLine& line, const Figure& figure) {
        Extent along, across, pictureAlong, pictureAcross;
        const auto cover = [&line](const Point& p, Extent& a, Extent& b) {
            a.Cover((p.x - line.from.x) * line.ex + (p.y - line.from.y) * line.ey);
            b.Cover((p.x - line.from.x) * line.nx + (p.y - line.from.y) * line.ny);
        };
        for (const auto& contour : area.contours)
            for (const FigurePoint& point : contour)
                cover(Turned(point, figure.height), along, across);
        for (const Point& corner :
             {Point{0, 0}, Point{double(figure.width), 0}, Point{0, double(figure.height)},
              Point{double(figure.width), double(figure.height)}})
            cover(corner, pictureAlong, pictureAcross);
        const double margin = 2.0;
        return {std::max(along.low, pictureAlong.low) - margin,
                std::min(along.high, pictureAlong.high) + margin,
                std::max(across.low, pictureAcross.low) - margin,
                std::min(across.high, pictureAcross.high) + margin};
    }
};

// The colours along the shading's axis, which runs from box.low to box.high of the paint's line
// `length` points long: the paint's stops between them, and its colours at both ends.
std::vector<std::pair<double, FigureColour>> ColoursAlong(const FigurePaint& paint, const ShadingBox& box,
                                                          double length) {
    std::vector<std::pair<double, FigureColour>> axis;
    axis.emplace_back(0.0, ColourAt(paint.stops, box.low / length));
    for (const FigureStop& stop : paint.stops) {
        const double at = stop.offset * length - box.low;
        if (at > 0.0 && at < box.high - box.low)
            axis.emplace_back(at, stop.colour);
    }
    axis.emplace_back(box.high - box.low, ColourAt(paint.stops, box.high / length));
    return axis;
}

class Writer {
public:
    explicit Writer(const Figure& figure) : figure(figure) {}

    std::string Write() {
        Header();
        for (const FigureArea& area : figure.areas) {
            if (!area.Drawn())
                continue;
            size_t points = 0;
            for (const auto& contour : area.contours)
                points += contour.size();
            if (partPoints > 0 && partPoints + points > pointsPerPart) {
                out += "\\tsypart%\n";
                partPoints = 0;
            }
            partPoints += points;
            Area(area);
        }
        out += "\\tsyend\\end{pgfscope}\n\\end{tikzpicture}\n";
        return out;
    }

private:
    void Header() {
        std::string view = figure.view;
        std::replace(view.begin(), view.end(), '\n', ' ');
        std::replace(view.begin(), view.end(), '\r', ' ');
        const std::string w = std::to_string(figure.width);
        const std::string h = std::to_string(figure.height);
        out += "% view: " + view + "\n";
        out += "% A picture of " + w + " x " + h +
               " pt drawn by Tessary, for a LaTeX document that loads TikZ (\\usepackage{tikz}):\n"
               "% \\resizebox{\\linewidth}{!}{\\input{this-file.tex}} fits it to the line.\n";
        // The macros are defined inside the picture, so they end with it. \tsym and \tsyl take
        // differences from the previous point in tenths of a point (the first of an area from the
        // origin); \tsyl reads pairs up to the ";".
        out +=
            "\\begin{tikzpicture}%\n"
            "\\def\\tsyp{\\pgfqpoint{\\numexpr\\tsyx*32768/5\\relax sp}{\\numexpr\\tsyy*32768/5\\relax "
            "sp}}%\n"
            "\\def\\tsyd#1 #2 {\\edef\\tsyx{\\the\\numexpr\\tsyx+#1}\\edef\\tsyy{\\the\\numexpr\\tsyy+#2}}%\n"
            "\\def\\tsya{\\begin{pgfscope}\\def\\tsyx{0}\\def\\tsyy{0}}%\n"
            "\\def\\tsym#1 #2 {\\tsyd#1 #2 \\pgfpathmoveto\\tsyp}%\n"
            "\\def\\tsyl{\\futurelet\\tsyn\\tsyt}%\n"
            "\\def\\tsyt{\\ifx\\tsyn;\\expandafter\\tsyc\\else\\expandafter\\tsyq\\fi}%\n"
            "\\def\\tsyq#1 #2 {\\tsyd#1 #2 \\pgfpathlineto\\tsyp\\tsyl}%\n"
            "\\def\\tsyc;{\\pgfpathclose}%\n"
            // A flat area: red, green and blue, opacity.
            "\\def\\tsyf#1#2{\\pgfseteorule\\definecolor{tsyc}{rgb}{#1}\\pgfsetfillcolor{tsyc}"
            "\\pgfsetfillopacity{#2}\\pgfusepath{fill}"
            "\\end{pgfscope}}%\n"
            // A shaded area: opacity, the shading's height, the matrix putting the shading's axis
            // on the paint's line, and the colours along the axis.
            "\\def\\tsyg#1#2#3#4#5#6#7#8#9{\\pgfseteorule\\pgfusepath{clip}\\pgfsetfillopacity{#1}"
            "\\pgfdeclarehorizontalshading{tsy}{#2}{#9}\\pgftransformcm{#3}{#4}{#5}{#6}{\\pgfpoint{#7}{#8}}"
            "\\pgflowlevelsynccm\\pgfuseshading{tsy}\\end{pgfscope}}%\n";
        // The parts under pdfTeX; elsewhere they are nothing.
        out += "\\def\\tsystart{}\\let\\tsyend\\tsystart\\let\\tsypart\\tsystart"
               "\\def\\tsyv{pgfsys-pdftex.def}\\ifx\\pgfsysdriver\\tsyv"
               "\\def\\tsystart{\\setbox\\pgfutil@tempboxa\\hbox\\bgroup\\vrule width0pt height" +
               h + "pt depth0pt}%\n";
        out += "\\def\\tsyend{\\hskip" + w +
               "pt\\egroup\\immediate\\pdfxform resources{\\csname pgf@sys@pdf@possible@resources\\endcsname}"
               "\\pgfutil@tempboxa\\setbox\\pgfutil@tempboxa\\hbox{\\pdfrefxform\\pdflastxform}"
               "\\wd\\pgfutil@tempboxa0pt\\ht\\pgfutil@tempboxa0pt\\dp\\pgfutil@tempboxa0pt"
               "\\box\\pgfutil@tempboxa}%\n"
               "\\def\\tsypart{\\tsyend\\tsystart}\\fi%\n";
        // \pgfutil@tempboxa needs the letter @; the parts are built with it inside the picture.
        out.insert(out.find("\\def\\tsystart{}"), "\\makeatletter%\n");
        out += "\\makeatother%\n";
        const std::string size = "{\\pgfqpoint{" + w + "pt}{" + h + "pt}}";
        out += "\\pgfpathrectangle{\\pgfpointorigin}" + size + "\\pgfusepath{use as bounding box}%\n";
        out += "\\definecolor{tsybg}{rgb}{" + Rgb(figure.background) + "}%\n";
        out +=
            "\\pgfsetfillcolor{tsybg}\\pgfpathrectangle{\\pgfpointorigin}" + size + "\\pgfusepath{fill}%\n";
        // Nothing falls outside the picture, as on a page of the same size.
        out += "\\begin{pgfscope}\\pgfpathrectangle{\\pgfpointorigin}" + size +
               "\\pgfusepath{clip}\\tsystart%\n";
    }

    void Contours(const FigureArea& area) {
        out += "\\tsya";
        long long x = 0;
        long long y = 0;
        for (const auto& contour : area.contours) {
            bool first = true;
            for (const FigurePoint& point : contour) {
                const Point p = Turned(point, figure.height);
                const long long tx = Tenths(p.x);
                const long long ty = Tenths(p.y);
                if (first)
                    out += "\\tsym";
                out += std::to_string(tx - x);
                out += ' ';
                out += std::to_string(ty - y);
                out += ' ';
                if (first)
                    out += "\\tsyl";
                first = false;
                x = tx;
                y = ty;
            }
            out += ';';
        }
    }

    void Opacity(float opacity) { AppendNumber(out, std::min(1.0f, std::max(0.0f, opacity)), 3); }

    void Flat(const FigureArea& area, const FigureColour& colour) {
        Contours(area);
        out += "\\tsyf{" + Rgb(colour) + "}{";
        Opacity(area.paint.opacity);
        out += "}%\n";
    }

    void Area(const FigureArea& area) {
        const FigurePaint& paint = area.paint;
        if (paint.Flat() || paint.stops.size() < 2) {
            Flat(area, paint.Flat() ? paint.colour : paint.stops.front().colour);
            return;
        }
        const Point from = Turned(paint.from, figure.height);
        const Point to = Turned(paint.to, figure.height);
        const double length = std::hypot(to.x - from.x, to.y - from.y);
        if (length < 1e-9) {
            // No line to project onto: the last colour, as SVG paints it.
            Flat(area, paint.stops.back().colour);
            return;
        }
        const PaintLine line(from, to, length);
        const ShadingBox box = ShadingBox::Of(area, line, figure);
        if (box.high <= box.low || box.acrossTo <= box.acrossFrom)
            return; // wholly outside the picture
        const std::vector<std::pair<double, FigureColour>> axis = ColoursAlong(paint, box, length);
        bool flat = true;
        for (const auto& entry : axis)
            flat = flat && SameColour(entry.second, axis.front().second);
        if (flat)
            Flat(area, axis.front().second);
        else
            Shading(area, line, box, axis);
    }

    // The area clipped, and the paint's colours along `axis` as a shading over `box`.
    void Shading(const FigureArea& area, const PaintLine& line, const ShadingBox& box,
                 const std::vector<std::pair<double, FigureColour>>& axis) {
        Contours(area);
        out += "\\tsyg{";
        Opacity(area.paint.opacity);
        // Appended piece by piece: GCC 12 warns falsely of overlapping copies in a chain of +.
        out += "}{";
        AppendNumber(out, box.acrossTo - box.acrossFrom, 2);
        out += "pt}";
        for (double value : {line.ex, line.ey, line.nx, line.ny}) {
            out += '{';
            AppendNumber(out, value, 5);
            out += '}';
        }
        // The shading is placed centred on the origin: its centre goes to the middle of what it covers.
        const double middleAlong = (box.low + box.high) / 2.0;
        const double middleAcross = (box.acrossFrom + box.acrossTo) / 2.0;
        for (double value : {line.from.x + middleAlong * line.ex + middleAcross * line.nx,
                             line.from.y + middleAlong * line.ey + middleAcross * line.ny}) {
            out += '{';
            AppendNumber(out, value, 2);
            out += "pt}";
        }
        ShadingColours(axis);
    }

    // The shading's colours, at their places along the axis in hundredths of a point: one colour to a
    // place.
    void ShadingColours(const std::vector<std::pair<double, FigureColour>>& axis) {
        out += '{';
        long long previous = -1;
        for (const auto& entry : axis) {
            const long long at = std::llround(entry.first * 100.0);
            if (at <= previous)
                continue; // rounded onto the position before it
            if (previous >= 0)
                out += "; ";
            out += "rgb(";
            AppendNumber(out, static_cast<double>(at) / 100.0, 2);
            out += "pt)=(";
            out += Rgb(entry.second);
            out += ')';
            previous = at;
        }
        out += "}%\n";
    }

    const Figure& figure;
    std::string out;
    size_t partPoints = 0;
};

} // namespace

std::string TikzFigure::Write(const Figure& figure) {
    return Writer(figure).Write();
}
