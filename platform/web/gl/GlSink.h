// What the desktop-GL emulation hands to the real device: finished batches of vertices already in
// clip space, each with the one state it is drawn in, and texture images under their GL names.
// The browser implements it over WebGL; the tests record what arrives.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>

namespace webgl {

// One vertex as the shader takes it: clip position, colour, texture coordinates, the eye distance
// fog is computed from, and, for wide lines, the distance across the line and the half width (both
// in pixels) the coverage of a smoothed line is computed from.
struct GlVertex {
    float x, y, z, w;
    float r, g, b, a;
    float s, t;
    float fogDistance;
    float across, halfWidth;
};

struct Box {
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

enum class Primitive : uint32_t { Triangles = GL_TRIANGLES, Lines = GL_LINES };

// The GL state a batch is drawn in. The pipeline keeps its current state in one of these, and the
// WebGL sink's JavaScript reads it from the heap field by field, so every field is 4 bytes wide
// (flags are 0 or 1) and the offsets are pinned in WebGlSink.cpp.
struct DrawState {
    Primitive primitive = Primitive::Triangles;
    uint32_t texture = 0; // 0: untextured
    uint32_t fog = 0;
    float fogStart = 0.0f, fogEnd = 1.0f;
    float fogColour[4] = {0, 0, 0, 0};
    uint32_t blend = 0;
    uint32_t blendSource = GL_ONE, blendDestination = GL_ZERO;
    uint32_t depthTest = 0;
    uint32_t cullFace = 0;
    uint32_t cullMode = GL_BACK, frontFace = GL_CCW;
    uint32_t scissor = 0;
    Box scissorBox;
    Box viewport;
    bool operator==(const DrawState&) const = default;
};

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
