#include "platform/web/gl/WebGlSink.h"

#include <cstddef>
#include <vector>

namespace webgl {

namespace {

// One batch of the queue as library_webgl_sink.js reads it: its state and its vertices' place in
// the frame's upload.
struct QueuedDraw {
    DrawState state;
    int32_t first;
    int32_t count;
};

// The byte offsets of library_webgl_sink.js's tables DRAW and VERTEX.
static_assert(sizeof(QueuedDraw) == 108 && sizeof(GlVertex) == 52);
static_assert(offsetof(QueuedDraw, state) == 0 && offsetof(DrawState, primitive) == 0 &&
              offsetof(DrawState, texture) == 4 && offsetof(DrawState, fog) == 8 &&
              offsetof(DrawState, fogStart) == 12 && offsetof(DrawState, fogEnd) == 16 &&
              offsetof(DrawState, fogColour) == 20 && offsetof(DrawState, blend) == 36 &&
              offsetof(DrawState, blendSource) == 40 && offsetof(DrawState, blendDestination) == 44 &&
              offsetof(DrawState, depthTest) == 48 && offsetof(DrawState, cullFace) == 52 &&
              offsetof(DrawState, cullMode) == 56 && offsetof(DrawState, frontFace) == 60 &&
              offsetof(DrawState, scissor) == 64 && offsetof(DrawState, scissorBox) == 68 &&
              offsetof(DrawState, viewport) == 84 && offsetof(QueuedDraw, first) == 100 &&
              offsetof(QueuedDraw, count) == 104);
static_assert(offsetof(Box, x) == 0 && offsetof(Box, y) == 4 && offsetof(Box, width) == 8 &&
              offsetof(Box, height) == 12);
static_assert(offsetof(GlVertex, x) == 0 && offsetof(GlVertex, r) == 16 && offsetof(GlVertex, s) == 32 &&
              offsetof(GlVertex, fogDistance) == 40 && offsetof(GlVertex, across) == 44);

std::vector<QueuedDraw> queuedDraws;
std::vector<GlVertex> queuedVertices;

} // namespace

extern "C" {
int tessary_gl_create();
int tessary_gl_drawing_width();
void tessary_gl_submit(const void* draws, int32_t drawCount, const void* vertices, int32_t vertexCount);
void tessary_gl_clear(uint32_t mask, float r, float g, float b, float a, int scissor, const void* scissorBox);
void tessary_gl_tex_image(uint32_t name, int32_t width, int32_t height, const uint8_t* pixels);
void tessary_gl_tex_parameters(uint32_t name, uint32_t minFilter, uint32_t magFilter, uint32_t wrapS,
                               uint32_t wrapT);
void tessary_gl_delete_texture(uint32_t name);
}

bool WebGlSink::Create() {
    return tessary_gl_create() != 0;
}

float WebGlSink::PixelScale(int32_t windowWidth) {
    const int32_t drawing = tessary_gl_drawing_width();
    return drawing > 0 && windowWidth > 0 ? static_cast<float>(drawing) / static_cast<float>(windowWidth)
                                          : 1.0f;
}

void WebGlSink::Submit() {
    if (queuedDraws.empty())
        return;
    tessary_gl_submit(queuedDraws.data(), static_cast<int32_t>(queuedDraws.size()), queuedVertices.data(),
                      static_cast<int32_t>(queuedVertices.size()));
    queuedDraws.clear();
    queuedVertices.clear();
}

void WebGlSink::Draw(const DrawState& state, const GlVertex* vertices, int32_t count) {
    queuedDraws.push_back({state, static_cast<int32_t>(queuedVertices.size()), count});
    queuedVertices.insert(queuedVertices.end(), vertices, vertices + count);
}

void WebGlSink::Clear(uint32_t mask, const float colour[4], bool scissor, const Box& box) {
    Submit();
    tessary_gl_clear(mask, colour[0], colour[1], colour[2], colour[3], scissor, &box);
}

void WebGlSink::TexImage(uint32_t texture, int32_t width, int32_t height, const uint8_t* rgba) {
    Submit();
    tessary_gl_tex_image(texture, width, height, rgba);
}

void WebGlSink::TexParameters(uint32_t texture, const TextureParameters& p) {
    Submit();
    tessary_gl_tex_parameters(texture, p.minFilter, p.magFilter, p.wrapS, p.wrapT);
}

void WebGlSink::DeleteTexture(uint32_t texture) {
    Submit();
    tessary_gl_delete_texture(texture);
}

} // namespace webgl
