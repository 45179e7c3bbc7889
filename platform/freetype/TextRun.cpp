#include "platform/freetype/TextRun.h"

// The run arrives as UTF-8; the core holds the platform's one decoder of it.
#include "platform/core/Utf16Text.h"
#include "platform/freetype/FontFile.h"
#include "platform/freetype/FontMatch.h"

namespace platform_freetype {

TextRun::TextRun(FontMatch& match, int pixelsPerEm, std::string_view utf8) {
    if (!match.Primary().file)
        return;
    glyphs.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const char32_t character = platform_utf16::NextCodePoint(utf8, i);
        const FaceChoice face = match.ForCharacter(character);
        const GlyphImage& image = face.file->Glyph(face.glyphIndex, pixelsPerEm, face.embolden, face.slant);
        glyphs.push_back(PlacedGlyph{&image, width});
        width += image.advance;
    }
}

} // namespace platform_freetype
