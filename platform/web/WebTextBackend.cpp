// The text back end of the browser build: the three faces the program names map to the fonts the
// page ships (subsets of the Linux build's fonts), runs are measured and drawn by Canvas 2D, and
// the cell (ascent, descent) comes from each font's Windows metrics as GDI takes it.
#include "platform/gdi/DibSurface.h"
#include "platform/gdi/TextBackend.h"
#include "platform/web/WebFaces.h"

#include <cmath>
#include <vector>

extern "C" {
int tessary_text_measure(const char* font, const WCHAR* text, int length);
void tessary_text_draw(const char* font, const WCHAR* text, int length, int width, int height, int ascent,
                       uint8_t* coverage);
}

namespace platform_gdi {

namespace {

// The canvas a run is drawn on may not be wider than this; longer runs are cut at its edge.
constexpr int kLargestRunWidth = 16384;
constexpr int kLargestPixelsPerEm = 2048;
// GDI's cell height for a font that asks for none (lfHeight 0).
constexpr int kDefaultCellHeight = 16;

unsigned generation = 1;

const web_fonts::WebFace& FaceOf(TextFont& font) {
    if (!font.resolved || font.resolvedGeneration != generation) {
        font.resolved = const_cast<web_fonts::WebFace*>(&web_fonts::FaceFor(font.description.lfFaceName));
        font.resolvedGeneration = generation;
    }
    return *static_cast<const web_fonts::WebFace*>(font.resolved);
}

// A negative height is the em size in pixels; a positive one the cell height, ascent plus descent.
int PixelsPerEm(const LOGFONTW& description, const web_fonts::WebFace& face) {
    long em;
    if (description.lfHeight < 0) {
        em = -static_cast<long>(description.lfHeight);
    } else {
        const long cell = description.lfHeight > 0 ? description.lfHeight : kDefaultCellHeight;
        em = std::lround(static_cast<double>(cell) * face.unitsPerEm / (face.winAscent + face.winDescent));
    }
    return static_cast<int>(std::clamp<long>(em, 1, kLargestPixelsPerEm));
}

} // namespace

RunMetrics MeasureRun(TextFont& font, const WCHAR* text, int length) {
    const web_fonts::WebFace& face = FaceOf(font);
    RunMetrics metrics;
    metrics.pixelsPerEm = PixelsPerEm(font.description, face);
    metrics.ascent = static_cast<int>(
        std::lround(static_cast<double>(face.winAscent) * metrics.pixelsPerEm / face.unitsPerEm));
    metrics.descent = static_cast<int>(
        std::lround(static_cast<double>(face.winDescent) * metrics.pixelsPerEm / face.unitsPerEm));
    if (length > 0)
        metrics.width = tessary_text_measure(
            web_fonts::CssFont(font.description, face, metrics.pixelsPerEm).c_str(), text, length);
    return metrics;
}

void DrawRun(TextFont& font, const WCHAR* text, int length, int x, int y, COLORREF colour,
             DibSurface& surface, const RECT& clip) {
    const RunMetrics metrics = MeasureRun(font, text, length);
    const int width = std::min(metrics.width, kLargestRunWidth);
    const int height = metrics.ascent + metrics.descent;
    if (width <= 0 || height <= 0)
        return;
    std::vector<uint8_t> coverage(static_cast<size_t>(width) * height);
    const std::string css = web_fonts::CssFont(font.description, FaceOf(font), metrics.pixelsPerEm);
    tessary_text_draw(css.c_str(), text, length, width, height, metrics.ascent, coverage.data());
    for (int row = 0; row < height; ++row)
        surface.BlendSpan(x, y + row, coverage.data() + static_cast<size_t>(row) * width, width, colour,
                          clip);
}

// Nothing is held between runs but the face table, which lives as long as the page.
void ShutdownText() {
    ++generation;
}

} // namespace platform_gdi
