// The text back end over FreeType: a request is matched by fontconfig (FontMatch), runs are laid
// out glyph by glyph (TextRun) and each glyph's coverage is blended into the surface row by row.
#include "platform/freetype/FontEngine.h"
#include "platform/freetype/FontFile.h"
#include "platform/freetype/FontMatch.h"
#include "platform/freetype/TextRun.h"
#include "platform/gdi/DibSurface.h"
#include "platform/gdi/TextBackend.h"

namespace platform_gdi {

using platform_freetype::FontEngine;
using platform_freetype::FontMatch;
using platform_freetype::GlyphImage;
using platform_freetype::PlacedGlyph;
using platform_freetype::TextRun;

ResolvedFace* ResolveFace(const FaceRequest& request) {
    return &FontEngine::Instance().Match(request);
}

// The face that sets the cell is the first one that opens; the later ones only lend characters.
FaceMetrics MetricsOf(ResolvedFace& face) {
    const platform_freetype::FaceChoice primary = static_cast<FontMatch&>(face).Primary();
    return primary.file ? primary.file->Metrics() : FaceMetrics();
}

int MeasureRun(ResolvedFace& face, int pixelsPerEm, std::string_view utf8) {
    return TextRun(static_cast<FontMatch&>(face), pixelsPerEm, utf8).Width();
}

void DrawRun(ResolvedFace& face, int pixelsPerEm, std::string_view utf8, const RECT& cell, int ascent,
             COLORREF colour, DibSurface& surface, const RECT& clip) {
    const TextRun run(static_cast<FontMatch&>(face), pixelsPerEm, utf8);
    const int baseline = cell.top + ascent;
    for (const PlacedGlyph& glyph : run.Glyphs()) {
        const GlyphImage& image = *glyph.image;
        const int left = cell.left + glyph.x + image.left;
        const int top = baseline - image.top;
        for (int row = 0; row < image.rows; ++row) {
            // data() rather than [], which an image with rows but no columns would index empty.
            const uint8_t* coverage = image.coverage.data() + static_cast<size_t>(row) * image.width;
            surface.BlendSpan(left, top + row, coverage, image.width, colour, clip);
        }
    }
}

void ShutdownTextBackend() {
    FontEngine::Shutdown();
}

} // namespace platform_gdi
