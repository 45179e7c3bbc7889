#include "gui/TextTexture.h"

#include "gui/CanvasTools.h"
#include "gui/FontSpec.h"
#include "gui/TextCanvas.h"

#include <cstddef>
#include <memory>

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
    FontSpec wanted = {};
    // Longer names are cut to the 31 characters a face name can hold.
    size_t i = 0;
    for (; faceName && faceName[i] != 0 && i + 1 < LF_FACESIZE; ++i)
        wanted.faceName[i] = faceName[i];
    wanted.faceName[i] = 0;
    wanted.pointSize = pointSize;
    canvas->ApplyFont(wanted);
}

void TextTexture::Render(const WCHAR* text) {
    const int length = lstrlenW(text);
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(canvas->dc, text, length, &extent);
    textWidth = extent.cx;
    textHeight = extent.cy;
    textureWidth = NextPowerOfTwo(textWidth);
    textureHeight = NextPowerOfTwo(textHeight);

    canvas->Resize(textureHeight, textureWidth);
    if (textureWidth > 0 && textureHeight > 0 && !canvas->rows[0]) {
        // The layer refused a bitmap this large: the texture shows nothing rather than reading rows
        // that do not exist. The measured text keeps its size for whoever lays it out.
        textureWidth = 0;
        textureHeight = 0;
        canvas->ReleasePixels();
        return;
    }
    RECT whole = {0, 0, textureWidth, textureHeight};
    FillRect(canvas->dc, &whole, canvas->tools->brush);
    TextOutW(canvas->dc, 0, 0, text, length);

    // The red byte of each pixel tells the ink: 255 is paper, anything less is ink or its edge.
    const size_t texelBytes = static_cast<size_t>(textureWidth) * textureHeight * 4;
    // Every byte is written below, so the buffer is left uninitialised.
    std::unique_ptr<uint8_t[]> texels(texelBytes > 0 ? new uint8_t[texelBytes] : nullptr);
    uint8_t* texel = texels.get();
    for (int32_t i = 0; i < textureHeight; ++i) {
        for (int32_t j = 0; j < textureWidth; ++j, texel += 4) {
            const uint8_t v = canvas->rows[i][3 * j + 2];
            if (!inverted) {
                // White glyphs whose alpha is the coverage, on a transparent background.
                texel[0] = texel[1] = texel[2] = v == 255 ? 0 : 255;
                texel[3] = v == 255 ? 0 : static_cast<uint8_t>(255 - v);
            } else {
                // An opaque white tile with the glyphs cut out.
                texel[0] = texel[1] = texel[2] = v == 255 ? 255 : 0;
                texel[3] = v;
            }
        }
    }

    // RGBA rows are whole words, so the default alignment of 4 already holds; set it anyway in case
    // someone changed it.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glBindTexture(GL_TEXTURE_2D, textureName);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.get());
    glBindTexture(GL_TEXTURE_2D, 0);
    // The texture holds the text now; neither the RGBA buffer nor the bitmap is read again.
    texels.reset();
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

int32_t NextPowerOfTwo(int32_t n) {
    if (n <= 0)
        return 0;
    uint32_t power = 1;
    while (power < static_cast<uint32_t>(n))
        power <<= 1;
    return static_cast<int32_t>(power);
}
