#include "platform/web/gl/WebGlSink.h"

extern "C" {
int tessary_gl_create();
void tessary_gl_draw(int lines, uint32_t texture, int fog, float fogStart, float fogEnd,
                     const float* fogColour, int blend, uint32_t blendSource, uint32_t blendDestination,
                     int depthTest, int cullFace, uint32_t cullMode, uint32_t frontFace, int scissor,
                     int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t vx, int32_t vy, int32_t vw,
                     int32_t vh, const void* vertices, int32_t count);
void tessary_gl_clear(uint32_t mask, float r, float g, float b, float a, int scissor, int32_t sx, int32_t sy,
                      int32_t sw, int32_t sh);
void tessary_gl_tex_image(uint32_t name, int32_t width, int32_t height, const uint8_t* pixels);
void tessary_gl_tex_parameters(uint32_t name, uint32_t minFilter, uint32_t magFilter, uint32_t wrapS,
                               uint32_t wrapT);
void tessary_gl_delete_texture(uint32_t name);
}

namespace webgl {

static_assert(sizeof(GlVertex) == 52, "library_webgl_sink.js reads 13 floats per vertex");

bool WebGlSink::Create() {
    return tessary_gl_create() != 0;
}

void WebGlSink::Draw(const DrawState& s, const GlVertex* vertices, int32_t count) {
    tessary_gl_draw(s.primitive == Primitive::Lines, s.texture, s.fog, s.fogStart, s.fogEnd, s.fogColour,
                    s.blend, s.blendSource, s.blendDestination, s.depthTest, s.cullFace, s.cullMode,
                    s.frontFace, s.scissor, s.scissorBox.x, s.scissorBox.y, s.scissorBox.width,
                    s.scissorBox.height, s.viewport.x, s.viewport.y, s.viewport.width, s.viewport.height,
                    vertices, count);
}

void WebGlSink::Clear(uint32_t mask, const float colour[4], bool scissor, const Box& box) {
    tessary_gl_clear(mask, colour[0], colour[1], colour[2], colour[3], scissor, box.x, box.y, box.width,
                     box.height);
}

void WebGlSink::TexImage(uint32_t texture, int32_t width, int32_t height, const uint8_t* rgba) {
    tessary_gl_tex_image(texture, width, height, rgba);
}

void WebGlSink::TexParameters(uint32_t texture, const TextureParameters& p) {
    tessary_gl_tex_parameters(texture, p.minFilter, p.magFilter, p.wrapS, p.wrapT);
}

void WebGlSink::DeleteTexture(uint32_t texture) {
    tessary_gl_delete_texture(texture);
}

} // namespace webgl
