// The seam between GDI's text functions and the font technology under them. The gdi layer keeps the
// GDI rules (memory DCs and their selected objects, the opaque cell fill, underline and strike-out,
// argument checks); a text back end resolves a LOGFONT to real faces and measures and draws whole
// runs of text. Exactly one text back end is linked, chosen by the platform's platform.cmake.
//
// Text is UTF-16 code units, one per WCHAR: surrogate pairs are one character, an unpaired surrogate
// is drawn as U+FFFD. No type of a third-party library crosses this header.
#pragma once

#include "platform/Win32.h"

namespace platform_gdi {

class DibSurface;

// A font object's description, with a slot where the back end keeps what it resolved the
// description to, so that a font is resolved once rather than at every call. The gdi layer never
// reads the slot; the back end must tell a slot filled before its last ShutdownText (generation).
struct TextFont {
    LOGFONTW description = {};
    void* resolved = nullptr; // the back end's, not owned by the font
    unsigned resolvedGeneration = 0;
};

// What GetTextExtentPoint32W reports and TextOutW fills: the run's advance width and the font's
// text cell (GDI's tmAscent and tmDescent, the same for every run of the font), plus the em size
// that underline and strike-out are scaled by.
struct RunMetrics {
    int width = 0;
    int ascent = 0;
    int descent = 0;
    int pixelsPerEm = 0;
};

// Measures `length` code units of `text` in the font. A font with no installed face measures 0.
RunMetrics MeasureRun(TextFont& font, const WCHAR* text, int length);

// Draws the run's ink in `colour` with antialiased coverage (DibSurface::BlendSpan), its cell's
// top-left corner at (x, y) of the surface, touching no pixel outside `clip`. The caller has already
// painted the cell's background.
void DrawRun(TextFont& font, const WCHAR* text, int length, int x, int y, COLORREF colour,
             DibSurface& surface, const RECT& clip);

// Releases every face, cache and library the back end holds, so that leak checkers see nothing
// left at exit. Fonts still alive keep working: the back end starts again on their next use.
void ShutdownText();

} // namespace platform_gdi
