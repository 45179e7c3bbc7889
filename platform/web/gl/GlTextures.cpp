#include "platform/web/gl/GlTextures.h"

#include <cstddef>
#include <vector>

namespace webgl {

namespace {
constexpr uint32_t kNearest = 0x2600, kLinear = 0x2601;
constexpr uint32_t kMagFilter = 0x2800, kMinFilter = 0x2801, kWrapS = 0x2802, kWrapT = 0x2803;
constexpr uint32_t kRepeat = 0x2901, kClamp = 0x2900, kClampToEdge = 0x812F;
constexpr uint32_t kRgba = 0x1908, kRgb = 0x1907, kUnsignedByte = 0x1401;

// Wrap modes WebGL knows; desktop GL_CLAMP blends in the border colour at the edge, which WebGL
// cannot, and clamping to the edge texel is the nearest it has.
uint32_t WrapMode(int32_t value) {
    if (value == static_cast<int32_t>(kClamp) || value == static_cast<int32_t>(kClampToEdge))
        return kClampToEdge;
    return value == static_cast<int32_t>(kRepeat) ? kRepeat : 0;
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
    case kMinFilter:
        p.minFilter = v;
        break;
    case kMagFilter:
        if (v != kNearest && v != kLinear)
            return;
        p.magFilter = v;
        break;
    case kWrapS:
    case kWrapT:
        if (WrapMode(value) == 0)
            return;
        (parameter == kWrapS ? p.wrapS : p.wrapT) = WrapMode(value);
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
    const bool rgba = internalFormat == 4 || internalFormat == static_cast<int32_t>(kRgba);
    const bool rgb = internalFormat == 3 || internalFormat == static_cast<int32_t>(kRgb);
    if (it == textures.end() || (!rgba && !rgb) || format != kRgba || type != kUnsignedByte || width < 0 ||
        height < 0)
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
    return minFilter == kNearest || minFilter == kLinear ? boundName : 0;
}

} // namespace webgl
