// The records the desktop-GL emulation hands to the device, which the WebGL sink's JavaScript reads
// from the heap. Their layout is written here only: the build reads this header and writes the
// byte offsets library_webgl_sink.js uses (heap_layout.js), and the compiler checks them against its
// own (WebGlSink.cpp). The layout is read from between the `heap layout` markers: enums of int32_t
// or uint32_t and structs whose data members are each one int32_t, uint32_t, float or such an enum,
// an array of them, or a struct above, so that every field is one 4-byte word (flags are 0 or 1).
#pragma once

#include <GL/gl.h>

#include <cstdint>

namespace webgl {

// heap layout begin
enum class Primitive : uint32_t { Triangles = GL_TRIANGLES, Lines = GL_LINES };

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

// The GL state a batch is drawn in. The pipeline keeps its current state in one of these.
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

// One batch of the WebGL sink's queue: its state and its vertices' place in the frame's upload.
struct QueuedDraw {
    DrawState state;
    int32_t first;
    int32_t count;
};
// heap layout end

} // namespace webgl
