// The seam between GDI's text functions and the font technology under them. The gdi layer keeps the
// GDI rules (memory DCs and their selected objects, a LOGFONT's height as an em size, the text cell
// from the face's Windows ascent and descent, the size limits, bold from weight 600, one resolved
// face per description, the opaque cell fill, underline and strike-out, argument checks). A text
// back end is asked only for what differs between font technologies: the face a description
// resolves to, that face's design metrics, and the advance width and ink of a run at a given em
// size. Exactly one text back end is linked, chosen by the platform's platform.cmake.
//
// Runs reach the back end as UTF-8, converted once from the UTF-16 the program passes: surrogate
// pairs are one character, an unpaired surrogate is already U+FFFD. No type of a third-party library
// crosses this header.
#pragma once

#include "platform/Win32.h"

#include <string>
#include <string_view>

namespace platform_gdi {

class DibSurface;

// A font description as GDI reads it, for the back end to find a face for.
struct FaceRequest {
    std::string faceName;   // UTF-8; empty: the back end's default family
    int weight = FW_NORMAL; // LOGFONT's weight, its 0 read as FW_NORMAL
    bool bold = false;      // weight 600 or more: drawn bold, emboldened when the face is not
    bool italic = false;
};

// The design metrics of the face that sets a font's cell: units per em, and the Windows ascent and
// descent of its OS/2 table (the horizontal header's for fonts without one), as GDI takes them.
struct FaceMetrics {
    int unitsPerEm = 0; // 0: no face is installed, and the font measures 0
    int winAscent = 0;
    int winDescent = 0;
};

// What a back end resolved a request to: the base of the back end's own type, which the gdi layer
// only passes back.
struct ResolvedFace {};

// The face for the request, owned by the back end until ShutdownTextBackend; the gdi layer asks once
// per distinct request. Null when no face can be had at all.
ResolvedFace* ResolveFace(const FaceRequest& request);
FaceMetrics MetricsOf(ResolvedFace& face);

// The advance width of the run at `pixelsPerEm` (1 to 2048): the sum of its characters' whole-pixel
// advances.
int MeasureRun(ResolvedFace& face, int pixelsPerEm, std::string_view utf8);

// Draws the run's ink in `colour` with antialiased coverage (DibSurface::BlendSpan) into its `cell`
// (measured width, ascent plus descent high), the baseline `ascent` below the cell's top, touching no
// pixel outside `clip`. The caller has already painted the cell's background.
void DrawRun(ResolvedFace& face, int pixelsPerEm, std::string_view utf8, const RECT& cell, int ascent,
             COLORREF colour, DibSurface& surface, const RECT& clip);

// Releases every face, cache and library the back end holds. The gdi layer calls it from
// ShutdownText and resolves again on the next use.
void ShutdownTextBackend();

} // namespace platform_gdi
