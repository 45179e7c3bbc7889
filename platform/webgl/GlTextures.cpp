#include "platform/webgl/GlTextures.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

namespace webgl {

namespace {

// Wrap modes WebGL knows; desktop GL_CLAMP blends in the border colour at the edge, which WebGL
// cannot, and clamping to the edge texel is the nearest it has.
uint32_t WrapMode(int32_t value) {
    if (value == static_cast<int32_t>(GL_CLAMP) || value == static_cast<int32_t>(GL_CLAMP_TO_EDGE))
        return GL_CLAMP_TO_EDGE;
    return value == static_cast<int32_t>(GL_REPEAT) ? GL_REPEAT : 0;
}
} // namespace

uint32_t GlTextures::Generate() {
    const uint32_t name = nextName++;
    textures[name];
    return name;
}

void GlTextures::Delete(uint32_t name) {
    if (textures.erase(name) == 0)
        return;
    sink.DeleteTexture(name);
    if (boundName == name)
        boundName = 0;
}

void GlTextures::Bind(uint32_t name) {
    boundName = name;
    if (name != 0)
        textures[name]; // binding an unused name creates it, as on the desktop
}

void GlTextures::Parameter(uint32_t parameter, int32_t value) {
    auto it = textures.find(boundName);
    if (it == textures.end())
        return;
    TextureParameters& p = it->second.parameters;
    const uint32_t v = static_cast<uint32_t>(value);
    switch (parameter) {
    case GL_TEXTURE_MIN_FILTER:
        p.minFilter = v;
        break;
    case GL_TEXTURE_MAG_FILTER:
        if (v != GL_NEAREST && v != GL_LINEAR)
            return;
        p.magFilter = v;
        break;
    case GL_TEXTURE_WRAP_S:
    case GL_TEXTURE_WRAP_T:
        if (WrapMode(value) == 0)
            return;
        (parameter == GL_TEXTURE_WRAP_S ? p.wrapS : p.wrapT) = WrapMode(value);
        break;
    default:
        return; // unknown parameters change nothing, as the desktop's error leaves them
    }
    sink.TexParameters(boundName, p);
}

bool GlTextures::Image(int32_t internalFormat, int32_t width, int32_t height, uint32_t format, uint32_t type,
                       const uint8_t* pixels) {
    auto it = textures.find(boundName);
    // The numbers 3 and 4 are OpenGL 1.0's way of saying RGB and RGBA; the alpha of an RGB texture
    // reads as 1, which the upload gives by keeping the source's alpha only for RGBA.
    const bool rgba = internalFormat == 4 || internalFormat == static_cast<int32_t>(GL_RGBA);
    const bool rgb = internalFormat == 3 || internalFormat == static_cast<int32_t>(GL_RGB);
    if (it == textures.end() || (!rgba && !rgb) || format != GL_RGBA || type != GL_UNSIGNED_BYTE ||
        width < 0 || height < 0)
        return false;
    const size_t bytes = static_cast<size_t>(width) * height * 4;
    std::vector<uint8_t> texels(pixels ? pixels : nullptr, pixels ? pixels + bytes : nullptr);
    texels.resize(bytes, 0);
    if (rgb)
        for (size_t i = 3; i < bytes; i += 4)
            texels[i] = 255;
    it->second.width = width;
    it->second.height = height;
    sink.TexImage(boundName, width, height, texels.data());
    sink.TexParameters(boundName, it->second.parameters);
    return true;
}

uint32_t GlTextures::DrawnTexture() const {
    auto it = textures.find(boundName);
    if (it == textures.end() || it->second.width <= 0 || it->second.height <= 0)
        return 0;
    const uint32_t minFilter = it->second.parameters.minFilter;
    return minFilter == GL_NEAREST || minFilter == GL_LINEAR ? boundName : 0;
}

} // namespace webgl
