// What the desktop-GL emulation hands to the real device: finished batches of vertices already in
// clip space, each with the one state it is drawn in, and texture images under their GL names.
// The browser implements it over WebGL; the tests record what arrives.
#pragma once

#include "platform/webgl/GlRecords.h"

#include <GL/gl.h>

#include <cstdint>

namespace webgl {

struct TextureParameters {
    uint32_t minFilter = GL_NEAREST_MIPMAP_LINEAR, magFilter = GL_LINEAR;
    uint32_t wrapS = GL_REPEAT, wrapT = GL_REPEAT;
};

class GlSink {
public:
    virtual ~GlSink() = default;
    virtual void Draw(const DrawState& state, const GlVertex* vertices, int32_t count) = 0;
    virtual void Clear(uint32_t mask, const float colour[4], bool scissor, const Box& scissorBox) = 0;
    // RGBA rows, top row first as OpenGL reads them.
    virtual void TexImage(uint32_t texture, int32_t width, int32_t height, const uint8_t* rgba) = 0;
    virtual void TexParameters(uint32_t texture, const TextureParameters& parameters) = 0;
    virtual void DeleteTexture(uint32_t texture) = 0;
};

} // namespace webgl
