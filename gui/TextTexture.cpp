#include "gui/TextTexture.h"

#include "gui/CanvasTools.h"
#include "gui/FontSpec.h"
#include "gui/TextCanvas.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// The RGBA texel for each value of a pixel's red byte, which tells the ink: 255 is paper, anything
// less is ink or its edge. A label of the 8-cube converts 32,768 pixels, so the rule is looked up
// rather than worked out per pixel.
using TexelTable = std::array<std::array<uint8_t, 4>, 256>;

constexpr TexelTable MakeTexelTable(bool inverted) {
    TexelTable table{};
    for (int v = 0; v < 256; ++v) {
        const uint8_t ink = static_cast<uint8_t>(v);
        if (!inverted) {
            // White glyphs whose alpha is the coverage, on a transparent background.
            const uint8_t shade = v == 255 ? 0 : 255;
            table[v] = {shade, shade, shade, static_cast<uint8_t>(v == 255 ? 0 : 255 - ink)};
        } else {
            // An opaque white tile with the glyphs cut out.
            const uint8_t shade = v == 255 ? 255 : 0;
            table[v] = {shade, shade, shade, ink};
        }
    }
    return table;
}

constexpr TexelTable normalTexels = MakeTexelTable(false);
constexpr TexelTable invertedTexels = MakeTexelTable(true);

// One row of 24-bit pixels to RGBA texels. The fuzz build leaves this loop out of its coverage map
// (fuzz/coverage-ignore.txt): a comparison per pixel told the fuzzer nothing.
void ConvertRow(const uint8_t* pixels, int32_t width, const TexelTable& table, uint8_t* texel) {
    const uint8_t* red = pixels + 2;
    for (int32_t j = 0; j < width; ++j, texel += 4, red += 3)
        std::memcpy(texel, table[*red].data(), 4);
}

} // namespace

TextTexture::TextTexture() {
    canvas = new TextCanvas();
    glGenTextures(1, &textureName);
    glBindTexture(GL_TEXTURE_2D, textureName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TextTexture::~TextTexture() {
    if (textureName != 0)
        glDeleteTextures(1, &textureName);
    delete canvas;
}

void TextTexture::SetFont(const WCHAR* faceName, int32_t pointSize) {
    canvas->ApplyFont(FontSpec::Named(faceName, pointSize));
}

void TextTexture::Render(const WCHAR* text) {
    const TextLayout layout = canvas->Draw(text);
    textWidth = layout.textWidth;
    textHeight = layout.textHeight;
    textureWidth = layout.width;
    textureHeight = layout.height;
    // A refused bitmap: the texture is 0 texels wide and shows nothing of this text.
    if (layout.refused)
        return;

    // One buffer for every texture's texels, kept between calls: the 8-cube makes 1,792 labels of
    // 128 KB each in a row, and a fresh block of that size is a fresh mapping of zeroed pages every
    // time. Every byte of it is written below before the upload reads it.
    static std::vector<uint8_t> texels;
    const size_t texelBytes = static_cast<size_t>(textureWidth) * textureHeight * 4;
    if (texels.size() < texelBytes)
        texels.resize(texelBytes);
    const TexelTable& table = inverted ? invertedTexels : normalTexels;
    uint8_t* texel = texels.data();
    // An empty text is 0 pixels wide but a line high, and its canvas has no pixels: its rows are
    // null, and even a pointer formed from one without reading it is undefined behaviour. Only a
    // canvas with pixels is walked; the empty text gets an empty texture.
    const int32_t rowsWithPixels = textureWidth > 0 ? textureHeight : 0;
    for (int32_t i = 0; i < rowsWithPixels; ++i, texel += static_cast<size_t>(textureWidth) * 4)
        ConvertRow(canvas->rows[i], textureWidth, table, texel);

    // RGBA rows are whole words, so the default alignment of 4 already holds; set it anyway in case
    // someone changed it.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glBindTexture(GL_TEXTURE_2D, textureName);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texelBytes > 0 ? texels.data() : nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    // The texture holds the text now; the bitmap is not read again.
    canvas->ReleasePixels();
}

void TextTexture::DrawAt(int32_t x, int32_t y) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textureName);
    glColor4f(red, green, blue, alpha);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2i(x, y);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2i(x, y + textureHeight);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2i(x + textureWidth, y + textureHeight);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2i(x + textureWidth, y);
    glEnd();
    // Texture 0 never gets an image, so untextured drawing after this is unaffected.
    glBindTexture(GL_TEXTURE_2D, 0);
}
