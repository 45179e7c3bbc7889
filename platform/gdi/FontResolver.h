// GDI's font rules, applied here once for whichever text back end is linked: a LOGFONT becomes a
// face request (bold from weight 600), each distinct request is resolved once and shared by every
// font object that makes it, and the face's design metrics give the em size (from a negative height,
// or a positive cell height, 16 pixels when none is asked for, at most 2048) and the text cell.
#pragma once

#include "platform/Win32.h"
#include "platform/gdi/TextBackend.h"

namespace platform_gdi {

// A font object's description, with what it resolved to, so that a font is resolved once rather than
// at every call. The face is the back end's and is valid while `generation` is that of the resolver.
struct TextFont {
    LOGFONTW description = {};
    ResolvedFace* face = nullptr;
    unsigned generation = 0;
};

// The face a font draws with, its em size and its text cell (GDI's tmAscent and tmDescent, the same
// for every run of the font).
struct FontCell {
    ResolvedFace* face = nullptr; // null when no face is installed: the font measures 0
    int pixelsPerEm = 0;
    int ascent = 0;
    int descent = 0;
};

FontCell CellOf(TextFont& font);

// Forgets every resolved face and stops the text back end, so that leak checkers see nothing left at
// exit. Fonts still alive keep working: they are resolved again, and the back end starts again, on
// their next use.
void ShutdownText();

} // namespace platform_gdi
