#include "figure/LabelOutlines.h"

#include "hypercube/FaceLabels.h"

#include <cstddef>

namespace {

// From the raster's sample coordinates (texel centres, (0, 0) the top-left texel's) to texture
// coordinates across the whole tile.
void ToTexture(std::vector<std::vector<FigurePoint>>& lines, int32_t width, int32_t height) {
    for (std::vector<FigurePoint>& line : lines)
        for (FigurePoint& p : line)
            p = {(p.x + 0.5) / width, (p.y + 0.5) / height};
}

} // namespace

const LabelOutline& LabelOutlines::Of(int32_t m) {
    if (m < 0)
        m = 0;
    if (static_cast<size_t>(m) >= traced.size())
        traced.resize(static_cast<size_t>(m) + 1);
    std::unique_ptr<LabelOutline>& outline = traced[static_cast<size_t>(m)];
    if (outline)
        return *outline;
    outline = std::make_unique<LabelOutline>();
    if (!canvas) {
        canvas = std::make_unique<TextCanvas>();
        canvas->ApplyFont(FaceLabels::Font());
    }
    WCHAR text[16];
    FaceLabels::Text(m, text);
    const TextLayout layout = canvas->Draw(text);
    if (layout.width == 0 || layout.height == 0)
        return *outline;
    // Only the text's own rectangle holds ink; the rest of the tile is white, as the padding of the
    // tracer's grid is.
    const int32_t columns = layout.textWidth, rows = layout.textHeight;
    std::vector<float> alpha(static_cast<size_t>(columns) * rows), white(alpha.size());
    for (int32_t i = 0; i < rows; ++i)
        for (int32_t j = 0; j < columns; ++j) {
            // The red byte of the pixel tells the ink, as the texture's conversion reads it.
            const uint8_t v = canvas->rows[i][3 * j + 2];
            alpha[static_cast<size_t>(i) * columns + j] = v / 255.0f;
            white[static_cast<size_t>(i) * columns + j] = v == 255 ? 1.0f : 0.0f;
        }
    outline->paper = tracer.Trace(white, columns, rows, 0.5f);
    outline->ink = tracer.Trace(alpha, columns, rows, 0.5f);
    ContourTracer::Simplify(outline->paper, paperTolerance);
    ContourTracer::Simplify(outline->ink, inkTolerance);
    ToTexture(outline->paper, layout.width, layout.height);
    ToTexture(outline->ink, layout.width, layout.height);
    return *outline;
}
