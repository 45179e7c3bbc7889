// The faces the page ships and which of them a GDI face name means: the same choices as the Linux
// build's font configuration, with the later families of each list as per-character fallbacks.
#pragma once

#include "platform/gdi/TextBackend.h"

#include <string>

namespace web_fonts {

struct WebFace {
    const char* families; // CSS font-family list, first choice first
    int unitsPerEm;
    int winAscent; // the first family's OS/2 Windows ascent and descent, GDI's cell
    int winDescent;
};

// The face for a UTF-8 face name.
const WebFace& FaceFor(const std::string& faceName);

// The CSS font shorthand for a request at that em size: weight, slant, size, families.
std::string CssFont(const platform_gdi::FaceRequest& request, const WebFace& face, int pixelsPerEm);

} // namespace web_fonts
