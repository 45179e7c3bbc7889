#include "platform/web/WebFaces.h"

#include <cwchar>

namespace web_fonts {

namespace {

// Metrics read from the Debian fonts with fontTools; fonts/subset-fonts.py checks them against the
// fonts it cuts, so a changed font fails the build instead of shifting every line of text.
constexpr WebFace kMing = {"\"Tessary Ming\", \"Tessary Hei\"", 1024, 917, 155};
constexpr WebFace kHei = {"\"Tessary Hei\", \"Tessary Ming\"", 2048, 1918, 483};
constexpr WebFace kYen = {"\"Tessary Yen\", \"Tessary Hei\", \"Tessary Ming\"", 1000, 800, 200};

struct NamedFace {
    const WCHAR* name;
    const WebFace* face;
};

constexpr NamedFace kNames[] = {
    {L"宋体", &kMing},  {L"SimSun", &kMing}, {L"黑体", &kHei},
    {L"SimHei", &kHei}, {L"幼圆", &kYen},    {L"YouYuan", &kYen},
};

} // namespace

const WebFace& FaceFor(const WCHAR* faceName) {
    for (const NamedFace& named : kNames)
        if (faceName && std::wcscmp(faceName, named.name) == 0)
            return *named.face;
    // Any other name gets the sans face, as fontconfig's default does on Linux.
    return kHei;
}

std::string CssFont(const LOGFONTW& description, const WebFace& face, int pixelsPerEm) {
    std::string css;
    if (description.lfItalic)
        css += "italic ";
    if (description.lfWeight >= 600)
        css += "bold ";
    css += std::to_string(pixelsPerEm) + "px " + face.families;
    return css;
}

} // namespace web_fonts
