#include "platform/webgl/WebGlSink.h"

// The compiler confirms the offsets that the build read from GlRecords.h for library_webgl_sink.js.
#include "WebGlLayoutCheck.h"

#include <vector>

namespace webgl {

namespace {

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
