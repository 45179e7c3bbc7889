#include "platform/gdi/FontResolver.h"

#include "platform/core/Utf16Text.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace platform_gdi {

namespace {

// GDI's cell height for a font that asks for none (lfHeight 0).
constexpr int defaultCellHeight = 16;
// The largest em size text is drawn at; beyond it one glyph alone would take megabytes.
constexpr int largestPixelsPerEm = 2048;
// GDI draws a face bold from FW_SEMIBOLD on.
constexpr int boldWeight = 600;

unsigned generation = 1;

using RequestKey = std::tuple<std::string, int, bool>;

// Every face resolved since the last ShutdownText, by request: thousands of fonts of a few
// descriptions cost a few faces.
std::map<RequestKey, ResolvedFace*>& Resolved() {
    static auto* faces = new std::map<RequestKey, ResolvedFace*>();
    return *faces;
}

FaceRequest RequestFor(const LOGFONTW& description) {
    FaceRequest request;
    request.faceName = platform_utf16::Utf16ToUtf8(description.lfFaceName);
    request.weight = description.lfWeight == 0 ? FW_NORMAL : static_cast<int>(description.lfWeight);
    request.bold = request.weight >= boldWeight;
    request.italic = description.lfItalic != 0;
    return request;
}

ResolvedFace* FaceFor(TextFont& font) {
    if (font.generation == generation)
        return font.face;
    const FaceRequest request = RequestFor(font.description);
    const RequestKey key{request.faceName, request.weight, request.italic};
    auto found = Resolved().find(key);
    if (found == Resolved().end())
        found = Resolved().emplace(key, ResolveFace(request)).first;
    font.face = found->second;
    font.generation = generation;
    return font.face;
}

int ClampPixelsPerEm(double pixelsPerEm) {
    return static_cast<int>(
        std::clamp(std::round(pixelsPerEm), 1.0, static_cast<double>(largestPixelsPerEm)));
}

// A negative height is the em size in pixels; a positive one the cell height, ascent plus descent.
int PixelsPerEm(const LOGFONTW& description, const FaceMetrics& metrics) {
    if (description.lfHeight < 0)
        return ClampPixelsPerEm(-static_cast<double>(description.lfHeight));
    const double cell = description.lfHeight > 0 ? description.lfHeight : defaultCellHeight;
    const int cellUnits = metrics.winAscent + metrics.winDescent;
    if (cellUnits <= 0)
        return ClampPixelsPerEm(cell);
    return ClampPixelsPerEm(cell * metrics.unitsPerEm / cellUnits);
}

int Scaled(int units, int pixelsPerEm, int unitsPerEm) {
    return static_cast<int>(std::lround(static_cast<double>(units) * pixelsPerEm / unitsPerEm));
}

} // namespace

FontCell CellOf(TextFont& font) {
    FontCell cell;
    cell.face = FaceFor(font);
    if (!cell.face)
        return cell;
    const FaceMetrics metrics = MetricsOf(*cell.face);
    if (metrics.unitsPerEm <= 0) {
        cell.face = nullptr;
        return cell;
    }
    cell.pixelsPerEm = PixelsPerEm(font.description, metrics);
    cell.ascent = Scaled(metrics.winAscent, cell.pixelsPerEm, metrics.unitsPerEm);
    cell.descent = Scaled(metrics.winDescent, cell.pixelsPerEm, metrics.unitsPerEm);
    return cell;
}

void ShutdownText() {
    Resolved().clear();
    ++generation;
    ShutdownTextBackend();
}

} // namespace platform_gdi
