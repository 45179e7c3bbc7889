#include "platform/freetype/TextRun.h"

#include "platform/core/Utf16Text.h"
#include "platform/freetype/FontEngine.h"
#include "platform/freetype/FontFile.h"
#include "platform/freetype/FontMatch.h"
#include "platform/gdi/TextBackend.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace platform_gdi {

namespace {

// GDI's size for a LOGFONT height of 0.
constexpr int defaultCellHeight = 16;

// The font's slot keeps its match for as long as the engine that made it runs.
FontMatch& MatchFor(TextFont& font) {
    FontEngine& engine = FontEngine::Instance();
    if (!font.resolved || font.resolvedGeneration != FontEngine::Generation()) {
        font.resolved = &engine.Match(font.description);
        font.resolvedGeneration = FontEngine::Generation();
    }
    return *static_cast<FontMatch*>(font.resolved);
}

// A negative height is the em size in pixels; a positive one the cell height, ascent plus descent.
int PixelsPerEmFor(const LOGFONTW& description, const FontFile& face) {
    if (description.lfHeight < 0)
        return static_cast<int>(
            std::min<int64_t>(-static_cast<int64_t>(description.lfHeight), FontFile::largestPixelsPerEm));
    const int cell = description.lfHeight > 0 ? static_cast<int>(description.lfHeight) : defaultCellHeight;
    return face.PixelsPerEmForCell(cell);
}

} // namespace

TextRun::TextRun(TextFont& font, const WCHAR* text, int length) {
    FontMatch& match = MatchFor(font);
    const FaceChoice primary = match.Primary();
    if (!primary.file)
        return;
    pixelsPerEm = PixelsPerEmFor(font.description, *primary.file);
    const CellMetrics cell = primary.file->Cell(pixelsPerEm);
    ascent = cell.ascent;
    descent = cell.descent;
    glyphs.reserve(static_cast<size_t>(length));
    for (int i = 0; i < length;) {
        const char32_t character = platform_utf16::NextCodePoint(text, length, i);
        const FaceChoice face = match.ForCharacter(character);
        const GlyphImage& image = face.file->Glyph(face.glyphIndex, pixelsPerEm, face.embolden, face.slant);
        glyphs.push_back(PlacedGlyph{&image, width});
        width += image.advance;
    }
}

} // namespace platform_gdi
