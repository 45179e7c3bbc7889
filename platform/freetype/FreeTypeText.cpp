// The text back end over FreeType: runs are laid out glyph by glyph (TextRun) and each glyph's
// coverage is blended into the surface row by row.
#include "platform/freetype/FontFile.h"
#include "platform/freetype/TextRun.h"
#include "platform/gdi/DibSurface.h"
#include "platform/gdi/TextBackend.h"

namespace platform_gdi {

RunMetrics MeasureRun(TextFont& font, const WCHAR* text, int length) {
    const TextRun run(font, text, length);
    return RunMetrics{run.Width(), run.Ascent(), run.Descent(), run.PixelsPerEm()};
}

void DrawRun(TextFont& font, const WCHAR* text, int length, int x, int y, COLORREF colour,
             DibSurface& surface, const RECT& clip) {
    const TextRun run(font, text, length);
    const int baseline = y + run.Ascent();
    for (const PlacedGlyph& glyph : run.Glyphs()) {
        const GlyphImage& image = *glyph.image;
        const int left = x + glyph.x + image.left;
        const int top = baseline - image.top;
        for (int row = 0; row < image.rows; ++row) {
            // data() rather than [], which an image with rows but no columns would index empty.
            const uint8_t* coverage = image.coverage.data() + static_cast<size_t>(row) * image.width;
            surface.BlendSpan(left, top + row, coverage, image.width, colour, clip);
        }
    }
}

} // namespace platform_gdi
