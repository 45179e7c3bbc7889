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
        const double dx = to.x - from.x;
        const double dy = to.y - from.y;
        const double length = std::hypot(dx, dy);
        if (length < 1e-9) {
            // No line to project onto: the last colour, as SVG paints it.
            Flat(area, paint.stops.back().colour);
            return;
        }
        // The unit vector along the line and the one across it.
        const double ex = dx / length;
        const double ey = dy / length;
        const double nx = -ey;
        const double ny = ex;
        // Where the area lies along and across the line, from `from`, in points: the shading needs to
        // cover that much and no more, within the picture.
        double alongLow = 1e300, alongHigh = -1e300, acrossLow = 1e300, acrossHigh = -1e300;
        const auto cover = [&](const Point& p, double& lo, double& hi, double ux, double uy) {
            const double v = (p.x - from.x) * ux + (p.y - from.y) * uy;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        };
        for (const auto& contour : area.contours)
            for (const FigurePoint& point : contour) {
                const Point p = Turned(point, figure.height);
                cover(p, alongLow, alongHigh, ex, ey);
                cover(p, acrossLow, acrossHigh, nx, ny);
            }
        double cornerAlongLow = 1e300, cornerAlongHigh = -1e300, cornerAcrossLow = 1e300,
               cornerAcrossHigh = -1e300;
        for (const Point& corner :
             {Point{0, 0}, Point{double(figure.width), 0}, Point{0, double(figure.height)},
              Point{double(figure.width), double(figure.height)}}) {
            cover(corner, cornerAlongLow, cornerAlongHigh, ex, ey);
            cover(corner, cornerAcrossLow, cornerAcrossHigh, nx, ny);
        }
        // A margin of two points, so that the clip's antialiased edge finds colour under it.
        const double margin = 2.0;
        const double low = std::max(alongLow, cornerAlongLow) - margin;
        const double high = std::min(alongHigh, cornerAlongHigh) + margin;
        const double acrossFrom = std::max(acrossLow, cornerAcrossLow) - margin;
        const double acrossTo = std::min(acrossHigh, cornerAcrossHigh) + margin;
        if (high <= low || acrossTo <= acrossFrom)
            return; // wholly outside the picture
        // The colours along the shading's axis, which runs from `low` to `high`: the paint's stops
        // between them, and the paint's colours at both ends.
        std::vector<std::pair<double, FigureColour>> axis;
        axis.emplace_back(0.0, ColourAt(paint.stops, low / length));
        for (const FigureStop& stop : paint.stops) {
            const double at = stop.offset * length - low;
            if (at > 0.0 && at < high - low)
                axis.emplace_back(at, stop.colour);
        }
        axis.emplace_back(high - low, ColourAt(paint.stops, high / length));
        bool flat = true;
        for (const auto& entry : axis)
            flat = flat && SameColour(entry.second, axis.front().second);
        if (flat) {
            Flat(area, axis.front().second);
            return;
        }
        Contours(area);
        out += "\\tsyg{";
        Opacity(paint.opacity);
        out += "}{" + Number(acrossTo - acrossFrom, 2) + "pt}{" + Number(ex, 5) + "}{" + Number(ey, 5) +
               "}{" + Number(nx, 5) + "}{" + Number(ny, 5) + "}";
        // The shading is placed centred on the origin: its centre goes to the middle of what it covers.
        const double middleAlong = (low + high) / 2.0;
        const double middleAcross = (acrossFrom + acrossTo) / 2.0;
        out += "{" + Number(from.x + middleAlong * ex + middleAcross * nx, 2) + "pt}{" +
               Number(from.y + middleAlong * ey + middleAcross * ny, 2) + "pt}{";
        long long previous = -1;
        for (const auto& entry : axis) {
            const long long at = std::llround(entry.first * 100.0);
            if (at <= previous)
                continue; // rounded onto the position before it
            if (previous >= 0)
                out += "; ";
            out += "rgb(" + Number(static_cast<double>(at) / 100.0, 2) + "pt)=(" + Rgb(entry.second) + ")";
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
