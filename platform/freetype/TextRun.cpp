#include "platform/freetype/TextRun.h"

#include "platform/freetype/FontEngine.h"
#include "platform/freetype/FontFile.h"
#include "platform/freetype/FontMatch.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace platform_gdi {

namespace {

// GDI's size for a LOGFONT height of 0.
constexpr int defaultCellHeight = 16;

FontMatch& MatchFor(GdiFont& font) {
    FontEngine& engine = FontEngine::Instance();
    if (!font.match || font.engineGeneration != FontEngine::Generation()) {
        font.match = &engine.Match(font.logFont);
        font.engineGeneration = FontEngine::Generation();
    }
    return *font.match;
}

// A negative height is the em size in pixels; a positive one the cell height, ascent plus descent.
int PixelsPerEmFor(const LOGFONTW& description, const FontFile& face) {
    if (description.lfHeight < 0)
        return static_cast<int>(
            std::min<int64_t>(-static_cast<int64_t>(description.lfHeight), FontFile::largestPixelsPerEm));
    const int cell = description.lfHeight > 0 ? static_cast<int>(description.lfHeight) : defaultCellHeight;
    return face.PixelsPerEmForCell(cell);
}

char32_t NextCodePoint(const WCHAR* text, int length, int& i) {
    const uint32_t unit = static_cast<uint32_t>(text[i++]);
    if (unit >= 0xD800 && unit <= 0xDBFF && i < length) {
        const uint32_t low = static_cast<uint32_t>(text[i]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            ++i;
            return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    if ((unit >= 0xD800 && unit <= 0xDFFF) || unit > 0x10FFFF)
        return 0xFFFD;
    return unit;
}

} // namespace

TextRun::TextRun(GdiFont& font, const WCHAR* text, int length) {
    FontMatch& match = MatchFor(font);
    const FaceChoice primary = match.Primary();
    if (!primary.file)
        return;
    pixelsPerEm = PixelsPerEmFor(font.logFont, *primary.file);
    const CellMetrics cell = primary.file->Cell(pixelsPerEm);
    ascent = cell.ascent;
    descent = cell.descent;
    glyphs.reserve(static_cast<size_t>(length));
    for (int i = 0; i < length;) {
        const char32_t character = NextCodePoint(text, length, i);
        const FaceChoice face = match.ForCharacter(character);
        const GlyphImage& image = face.file->Glyph(face.glyphIndex, pixelsPerEm, face.embolden, face.slant);
        glyphs.push_back(PlacedGlyph{&image, width});
        width += image.advance;
    }
}

} // namespace platform_gdi
