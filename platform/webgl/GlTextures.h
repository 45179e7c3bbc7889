// Texture names, their parameters and whether each is complete, with the desktop rules where
// WebGL's differ: GL_CLAMP is clamp-to-edge, the internal format 4 means RGBA, and a texture that
// is not complete (no image yet, or a mipmapped minification filter without mipmaps) turns
// texturing off instead of sampling black.
#pragma once

#include "platform/webgl/GlSink.h"

#include <cstdint>
#include <map>

namespace webgl {

class GlTextures {
public:
    explicit GlTextures(GlSink& sink) : sink(sink) {}

    uint32_t Generate();
    void Delete(uint32_t name);
    void Bind(uint32_t name);
    void Parameter(uint32_t parameter, int32_t value);
    // Takes the bound texture's image; false (and nothing uploaded) for what this layer refuses.
    bool Image(int32_t internalFormat, int32_t width, int32_t height, uint32_t format, uint32_t type,
               const uint8_t* pixels);

    // The texture a draw samples: the bound one when it is complete, else 0 for none.
    uint32_t DrawnTexture() const;

private:
    struct Texture {
        TextureParameters parameters;
        int32_t width = 0, height = 0;
    };
    GlSink& sink;
    std::map<uint32_t, Texture> textures;
    uint32_t boundName = 0;
    uint32_t nextName = 1;
};

} // namespace webgl
