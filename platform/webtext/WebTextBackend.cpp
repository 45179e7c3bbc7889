// The text back end of the browser build: the three faces the program names map to the fonts the
// page ships (subsets of the Linux build's fonts), and runs are measured and drawn by Canvas 2D.
#include "platform/gdi/DibSurface.h"
#include "platform/gdi/TextBackend.h"
#include "platform/webtext/WebFaces.h"

#include <algorithm>
#include <memory>
#include <vector>

extern "C" {
int tessary_text_measure(const char* font, const char* utf8, int bytes);
void tessary_text_draw(const char* font, const char* utf8, int bytes, int width, int height, int ascent,
                       uint8_t* coverage);
}

namespace {

// The canvas a run is drawn on may not be wider than this; longer runs are cut at its edge.
constexpr int kLargestRunWidth = 16384;

// A request resolved: the shipped face, and the style CSS draws it in.
struct WebFont : platform_gdi::ResolvedFace {
    WebFont(const platform_gdi::FaceRequest& fontRequest, const web_fonts::WebFace& webFace)
        : request(fontRequest), face(webFace) {}

    std::string Css(int pixelsPerEm) const { return web_fonts::CssFont(request, face, pixelsPerEm); }

    const platform_gdi::FaceRequest request;
    const web_fonts::WebFace& face;
};

std::vector<std::unique_ptr<WebFont>>& Fonts() {
    static auto* fonts = new std::vector<std::unique_ptr<WebFont>>();
    return *fonts;
}

} // namespace

namespace platform_gdi {

ResolvedFace* ResolveFace(const FaceRequest& request) {
    Fonts().push_back(std::make_unique<WebFont>(request, web_fonts::FaceFor(request.faceName)));
    return Fonts().back().get();
}

FaceMetrics MetricsOf(ResolvedFace& resolved) {
    const web_fonts::WebFace& face = static_cast<WebFont&>(resolved).face;
    return FaceMetrics{face.unitsPerEm, face.winAscent, face.winDescent};
}

int MeasureRun(ResolvedFace& resolved, int pixelsPerEm, std::string_view utf8) {
    const std::string css = static_cast<WebFont&>(resolved).Css(pixelsPerEm);
    return tessary_text_measure(css.c_str(), utf8.data(), static_cast<int>(utf8.size()));
}

void DrawRun(ResolvedFace& resolved, int pixelsPerEm, std::string_view utf8, const RECT& cell, int ascent,
             COLORREF colour, DibSurface& surface, const RECT& clip) {
    const int width = std::min(static_cast<int>(cell.right - cell.left), kLargestRunWidth);
    const int height = cell.bottom - cell.top;
    if (width <= 0 || height <= 0)
        return;
    std::vector<uint8_t> coverage(static_cast<size_t>(width) * height);
    const std::string css = static_cast<WebFont&>(resolved).Css(pixelsPerEm);
    tessary_text_draw(css.c_str(), utf8.data(), static_cast<int>(utf8.size()), width, height, ascent,
                      coverage.data());
    for (int row = 0; row < height; ++row)
        surface.BlendSpan(cell.left, cell.top + row, coverage.data() + static_cast<size_t>(row) * width,
                          width, colour, clip);
}

// The face table lives as long as the page; only the resolved requests go.
void ShutdownTextBackend() {
    Fonts().clear();
}

} // namespace platform_gdi
