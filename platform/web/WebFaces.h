// The faces the page ships and which of them a GDI face name means: the same choices as the Linux
// build's font configuration, with the later families of each list as per-character fallbacks.
#pragma once

#include "platform/Win32.h"

#include <string>

namespace web_fonts {

struct WebFace {
    const char* families; // CSS font-family list, first choice first
    int unitsPerEm;
    int winAscent; // the first family's OS/2 Windows ascent and descent, GDI's cell
    int winDescent;
};

const WebFace& FaceFor(const WCHAR* faceName);

// The CSS font shorthand for the description at that em size: weight, slant, size, families.
std::string CssFont(const LOGFONTW& description, const WebFace& face, int pixelsPerEm);

} // namespace web_fonts
