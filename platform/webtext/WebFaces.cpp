#include "platform/webtext/WebFaces.h"

namespace web_fonts {

namespace {

// Metrics read from the Debian fonts with fontTools; tools/web/subset-fonts.py checks them against the
// fonts it cuts, so a changed font fails the build instead of shifting every line of text.
constexpr WebFace kMing = {"\"Tessary Ming\", \"Tessary Hei\"", 1024, 917, 155};
constexpr WebFace kHei = {"\"Tessary Hei\", \"Tessary Ming\"", 2048, 1918, 483};
constexpr WebFace kYen = {"\"Tessary Yen\", \"Tessary Hei\", \"Tessary Ming\"", 1000, 800, 200};

struct NamedFace {
    const char* name;
    const WebFace* face;
};

constexpr NamedFace kNames[] = {
    {"宋体", &kMing},  {"SimSun", &kMing}, {"黑体", &kHei},
    {"SimHei", &kHei}, {"幼圆", &kYen},    {"YouYuan", &kYen},
};

} // namespace

const WebFace& FaceFor(const std::string& faceName) {
    for (const NamedFace& named : kNames)
        if (faceName == named.name)
            return *named.face;
    // Any other name gets the sans face, as fontconfig's default does on Linux.
    return kHei;
}

std::string CssFont(const platform_gdi::FaceRequest& request, const WebFace& face, int pixelsPerEm) {
    std::string css;
    if (request.italic)
        css += "italic ";
    if (request.bold)
        css += "bold ";
    css += std::to_string(pixelsPerEm) + "px " + face.families;
    return css;
}

} // namespace web_fonts
