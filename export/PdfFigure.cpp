#include "export/PdfFigure.h"

#include "export/Deflate.h"
#include "export/FigureNumbers.h"

#include <cstdint>
#include <map>
#include <vector>

namespace {

// The page's user space is scaled to a tenth of a point with y downwards, so that every point,
// rounded once to that grid, is written as two integers.
constexpr int pointDecimals = 1;
constexpr int coordsDecimals = 2; // of the shadings' ends, in the same tenths
constexpr int colourDecimals = 3;
constexpr int offsetDecimals = 4;
constexpr int opacityDecimals = 3;

void Number(std::string& out, int64_t units, int decimals) {
    FigureNumbers::Append(out, units, decimals);
}

// A channel as the byte the SVG writes, then as a fraction of 255.
void Channel(std::string& out, float channel) {
    const int byte = FigureNumbers::ColourByte(channel);
    Number(out, (byte * 2000 + 255) / 510, colourDecimals);
}

void Colour(std::string& out, const FigureColour& colour) {
    Channel(out, colour.red);
    out += ' ';
    Channel(out, colour.green);
    out += ' ';
    Channel(out, colour.blue);
}

// A point in the page's tenths, from pixels (the same numbers: y is turned over by the cm).
void Point(std::string& out, const FigurePoint& point) {
    Number(out, FigureNumbers::Units(point.x, pointDecimals), 0);
    out += ' ';
    Number(out, FigureNumbers::Units(point.y, pointDecimals), 0);
}

void Path(std::string& out, const FigureArea& area) {
    for (const std::vector<FigurePoint>& contour : area.contours)
        for (size_t i = 0; i < contour.size(); ++i) {
            Point(out, contour[i]);
            out += i == 0 ? " m\n" : " l\n";
        }
}

// A linear piece between two stops' colours.
void Piece(std::string& out, const FigureColour& from, const FigureColour& to) {
    out += "<</FunctionType 2/Domain[0 1]/C0[";
    Colour(out, from);
    out += "]/C1[";
    Colour(out, to);
    out += "]/N 1>>";
}

// The shading of a paint of two stops or more: along its line in the page's tenths, a stitch of
// linear pieces between the stops, and the end colours beyond the ends.
void Shading(std::string& out, const FigurePaint& paint) {
    out += "<</ShadingType 2/ColorSpace/DeviceRGB/Coords[";
    const FigurePoint ends[2] = {paint.from, paint.to};
    for (int i = 0; i < 2; ++i) {
        Number(out, FigureNumbers::Units(ends[i].x * 10, coordsDecimals), coordsDecimals);
        out += ' ';
        Number(out, FigureNumbers::Units(ends[i].y * 10, coordsDecimals), coordsDecimals);
        out += i == 0 ? " " : "]/Extend[true true]/Function";
    }
    const std::vector<FigureStop>& stops = paint.stops;
    if (stops.size() == 2) {
        Piece(out, stops[0].colour, stops[1].colour);
    } else {
        out += "<</FunctionType 3/Domain[0 1]/Functions[";
        for (size_t i = 0; i + 1 < stops.size(); ++i)
            Piece(out, stops[i].colour, stops[i + 1].colour);
        out += "]/Bounds[";
        for (size_t i = 1; i + 1 < stops.size(); ++i) {
            out += i > 1 ? " " : "";
            Number(out, FigureNumbers::Units(stops[i].offset, offsetDecimals), offsetDecimals);
        }
        out += "]/Encode[";
        for (size_t i = 0; i + 1 < stops.size(); ++i)
            out += i > 0 ? " 0 1" : "0 1";
        out += "]>>";
    }
    out += ">>";
}

// The page's drawing, and the graphics states and shadings it names.
struct Page {
    std::string content;
    std::string opacities; // the ExtGState dictionary's entries
    std::string shadings;  // the Shading dictionary's entries
};

Page Draw(const Figure& figure) {
    Page page;
    std::string& out = page.content;
    out += "0.1 0 0 -0.1 0 " + std::to_string(figure.height) + " cm\n";
    Colour(out, figure.background);
    out += " rg\n0 0 " + std::to_string(figure.width * 10) + ' ' + std::to_string(figure.height * 10) +
           " re\nf\n";
    std::map<int64_t, int> opacityNames; // one graphics state for each opacity, by its units
    int64_t opacity = 1000;              // that of the page's graphics state now
    std::string colour;                  // what the last rg set, after the background's
    int shadings = 0;
    for (const FigureArea& area : figure.areas) {
        if (!area.Drawn())
            continue;
        const FigurePaint& paint = area.paint;
        const int64_t units = FigureNumbers::Units(paint.opacity, opacityDecimals);
        if (units != opacity) {
            const auto [name, added] = opacityNames.emplace(units, static_cast<int>(opacityNames.size()));
            const std::string key = "/a" + std::to_string(name->second);
            if (added) {
                page.opacities += key + "<</ca ";
                Number(page.opacities, units, opacityDecimals);
                page.opacities += ">>";
            }
            out += key + " gs\n";
            opacity = units;
        }
        if (paint.Flat()) {
            std::string rg;
            Colour(rg, paint.colour);
            if (rg != colour)
                out += rg + " rg\n";
            colour = rg;
            Path(out, area);
            out += "f*\n";
            continue;
        }
        const std::string key = "/s" + std::to_string(shadings++);
        page.shadings += key;
        Shading(page.shadings, paint);
        out += "q\n";
        Path(out, area);
        out += "W* n\n" + key + " sh\nQ\n";
    }
    return page;
}

// Text as a PDF text string: printable ASCII as a literal string, escaped; anything else as UTF-16
// with its byte order mark, in hexadecimal.
std::string TextString(const std::string& text) {
    bool ascii = true;
    for (char c : text)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    std::string out;
    if (ascii) {
        out += '(';
        for (char c : text) {
            if (c == '(' || c == ')' || c == '\\')
                out += '\\';
            if (static_cast<unsigned char>(c) >= 0x20) {
                out += c;
                continue;
            }
            static constexpr char octal[] = "01234567";
            out += {'\\', octal[(c >> 6) & 3], octal[(c >> 3) & 7], octal[c & 7]};
        }
        return out + ')';
    }
    static constexpr char hex[] = "0123456789ABCDEF";
    const auto unit = [&](uint32_t u) {
        for (int shift = 12; shift >= 0; shift -= 4)
            out += hex[(u >> shift) & 15];
    };
    out += "<FEFF";
    for (size_t i = 0; i < text.size();) {
        // UTF-8 decoded; a broken sequence is the replacement character, one byte at a time.
        const auto byte = [&](size_t at) { return at < text.size() ? static_cast<uint8_t>(text[at]) : 0u; };
        const uint32_t lead = byte(i);
        int more = lead < 0x80 ? 0 : lead >= 0xf0 ? 3 : lead >= 0xe0 ? 2 : lead >= 0xc0 ? 1 : -1;
        uint32_t code = more < 0 ? 0xfffd : more == 0 ? lead : lead & (0x3f >> more);
        bool whole = more >= 0;
        for (int k = 1; whole && k <= more; ++k) {
            whole = (byte(i + k) & 0xc0) == 0x80;
            code = (code << 6) | (byte(i + k) & 0x3f);
        }
        if (!whole || code > 0x10ffff) {
            code = 0xfffd;
            more = 0;
        }
        i += static_cast<size_t>(more) + 1;
        if (code >= 0x10000) {
            unit(0xd800 + ((code - 0x10000) >> 10));
            unit(0xdc00 + ((code - 0x10000) & 0x3ff));
        } else {
            unit(code);
        }
    }
    return out + '>';
}

} // namespace

std::string PdfFigure::Write(const Figure& figure) {
    const Page page = Draw(figure);
    const std::string width = std::to_string(figure.width), height = std::to_string(figure.height);
    // The resources hold a shading for each area with a gradient, thousands in a big figure: they
    // go compressed into an object stream, which PDF 1.5 reaches through a cross-reference stream.
    const std::string resources = "<</ExtGState<<" + page.opacities + ">>/Shading<<" + page.shadings + ">>>>";
    const std::string resourcesIndex = "6 0 ";
    const std::string packed = Deflate::Compress(resourcesIndex + resources);
    const std::string content = Deflate::Compress(page.content);
    const auto stream = [](const std::string& dictionary, const std::string& bytes) {
        return "<<" + dictionary + "/Length " + std::to_string(bytes.size()) +
               "/Filter/FlateDecode>>\nstream\n" + bytes + "\nendstream";
    };
    const std::vector<std::string> objects = {
        "<</Type/Catalog/Pages 2 0 R>>",
        "<</Type/Pages/Kids[3 0 R]/Count 1>>",
        "<</Type/Page/Parent 2 0 R/MediaBox[0 0 " + width + ' ' + height +
            "]/Resources 6 0 R/Contents 4 0 R>>",
        stream("", content),
        "<</Title(Tessary figure)/Subject" + TextString(figure.view) + "/Creator(Tessary)>>",
        "", // 6, the resources, is inside 7
        stream("/Type/ObjStm/N 1/First " + std::to_string(resourcesIndex.size()), packed),
    };
    // A binary comment after the header tells file transfers that the file is not text.
    std::string out = "%PDF-1.5\n%\xe2\xe3\xcf\xd3\n";
    // Each object's entry: its type (1 in the file, 2 in an object stream), then its offset or
    // its stream's number, then its generation or its index in that stream.
    std::string table;
    const auto entry = [&table](int type, size_t field, int last) {
        table += static_cast<char>(type);
        for (int shift = 24; shift >= 0; shift -= 8)
            table += static_cast<char>((field >> shift) & 0xff);
        table += static_cast<char>(last >> 8);
        table += static_cast<char>(last & 0xff);
    };
    entry(0, 0, 65535);
    for (size_t i = 0; i < objects.size(); ++i) {
        if (objects[i].empty()) {
            entry(2, 7, 0);
            continue;
        }
        entry(1, out.size(), 0);
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t tableOffset = out.size();
    const std::string count = std::to_string(objects.size() + 2);
    entry(1, tableOffset, 0);
    out += count + " 0 obj\n" +
           stream("/Type/XRef/Size " + count + "/W[1 4 2]/Root 1 0 R/Info 5 0 R", Deflate::Compress(table)) +
           "\nendobj\nstartxref\n" + std::to_string(tableOffset) + "\n%%EOF\n";
    return out;
}
