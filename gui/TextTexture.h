// One UTF-16 string rasterised with a GDI font and uploaded as a power-of-two OpenGL texture.
#pragma once

#include "gui/TextCanvas.h"
#include "platform/Gl.h"

#include <cstddef>
#include <cstdint>

class TextTexture {
public:
    // Needs a current OpenGL context: creates the texture object.
    TextTexture();
    ~TextTexture();
    TextTexture(const TextTexture&) = delete;
    TextTexture& operator=(const TextTexture&) = delete;

    // Takes effect at the next Render; the texture keeps its old image until then.
    void SetFont(const WCHAR* faceName, int32_t pointSize);
    // Measures, rasterises and uploads the zero-terminated text; sets the four size fields.
    void Render(const WCHAR* text);
    // Draws the whole texture at one texel per pixel with its top-left corner at (x, y) of the overlay.
    void DrawAt(int32_t x, int32_t y);

    int32_t textureHeight = 0;
    int32_t textureWidth = 0;
    int32_t textHeight = 0;
    int32_t textWidth = 0;
    GLuint textureName = 0;
    TextCanvas* canvas = nullptr; // owned
    float alpha = 1.0f;
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    bool inverted = false;
};
