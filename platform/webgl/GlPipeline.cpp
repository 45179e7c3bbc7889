#include "platform/webgl/GlPipeline.h"

#include "platform/webgl/GlLineWidener.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace webgl {

namespace {
// The desktop's smallest guaranteed stack depths; a push beyond them is an error that changes nothing.
constexpr size_t GL_MODELVIEWDepth = 32, GL_PROJECTIONDepth = 2;
} // namespace

std::vector<GlMatrix>& GlPipeline::Stack() {
    return matrixMode == GL_PROJECTION ? projection : modelview;
}

const GlMatrix& GlPipeline::Top(uint32_t mode) const {
    return mode == GL_PROJECTION ? projection.back() : modelview.back();
}

void GlPipeline::MatrixMode(uint32_t mode) {
    if (mode == GL_MODELVIEW || mode == GL_PROJECTION)
        matrixMode = mode;
}

void GlPipeline::LoadIdentity() {
    Stack().back() = GlMatrix::Identity();
}

void GlPipeline::PushMatrix() {
    std::vector<GlMatrix>& stack = Stack();
    if (stack.size() < (matrixMode == GL_PROJECTION ? GL_PROJECTIONDepth : GL_MODELVIEWDepth))
        stack.push_back(stack.back());
}

void GlPipeline::PopMatrix() {
    std::vector<GlMatrix>& stack = Stack();
    if (stack.size() > 1)
        stack.pop_back();
}

void GlPipeline::MultMatrix(const GlMatrix& m) {
    Stack().back() = Stack().back() * m;
}

void GlPipeline::Enable(uint32_t capability, bool on) {
    switch (capability) {
    case GL_TEXTURE_2D:
        texture2d = on;
        break;
    case GL_FOG:
        server.fog = on;
        break;
    case GL_BLEND:
        server.blend = on;
        break;
    case GL_DEPTH_TEST:
        server.depthTest = on;
        break;
    case GL_CULL_FACE:
        server.cullFace = on;
        break;
    case GL_SCISSOR_TEST:
        server.scissor = on;
        break;
    case GL_LINE_SMOOTH:
        lineSmooth = on;
        break;
    default:
        break; // lighting without lights, multisampling and point and polygon smoothing change no pixel here
    }
}

void GlPipeline::BlendFunc(uint32_t source, uint32_t destination) {
    server.blendSource = source;
    server.blendDestination = destination;
}

void GlPipeline::Fog(uint32_t parameter, const float* values) {
    switch (parameter) {
    case GL_FOG_MODE:
        linearFog = static_cast<uint32_t>(values[0]) == GL_LINEAR;
        break;
    case GL_FOG_START:
        server.fogStart = values[0];
        break;
    case GL_FOG_END:
        server.fogEnd = values[0];
        break;
    case GL_FOG_COLOR:
        for (int i = 0; i < 4; ++i)
            server.fogColour[i] = std::fmin(1.0f, std::fmax(0.0f, values[i]));
        break;
    default:
        break;
    }
}

void GlPipeline::LineWidth(float width) {
    if (width > 0.0f)
        lineWidth = width;
}

void GlPipeline::Viewport(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (width >= 0 && height >= 0)
        server.viewport = {x, y, width, height};
}

void GlPipeline::Scissor(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (width >= 0 && height >= 0)
        server.scissorBox = {x, y, width, height};
}

void GlPipeline::CullFace(uint32_t mode) {
    server.cullMode = mode;
}
void GlPipeline::FrontFace(uint32_t mode) {
    server.frontFace = mode;
}

void GlPipeline::ClearColor(float r, float g, float b, float a) {
    const float c[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i)
        clearColour[i] = std::fmin(1.0f, std::fmax(0.0f, c[i]));
}

void GlPipeline::Clear(uint32_t mask) {
    Flush();
    sink.Clear(mask, clearColour, server.scissor != 0, DeviceBox(server.scissorBox));
}

void GlPipeline::Color(float r, float g, float b, float a) {
    colour[0] = r;
    colour[1] = g;
    colour[2] = b;
    colour[3] = a;
}

void GlPipeline::TexCoord(float s, float t) {
    texCoord[0] = s;
    texCoord[1] = t;
}

void GlPipeline::Begin(uint32_t mode) {
    if (inBegin)
        return;
    inBegin = true;
    primitiveMode = mode;
    primitive.clear();
}

void GlPipeline::Vertex(float x, float y, float z) {
    if (!inBegin)
        return;
    const Vec4 eye = modelview.back().Apply({x, y, z, 1.0f});
    const Vec4 clip = projection.back().Apply(eye);
    primitive.push_back({clip.x, clip.y, clip.z, clip.w, colour[0], colour[1], colour[2], colour[3],
                         texCoord[0], texCoord[1], std::fabs(eye.z), 0.0f, kNoSmoothing});
}

void GlPipeline::End() {
    if (!inBegin)
        return;
    inBegin = false;
    assembled.clear();
    const size_t n = primitive.size();
    if (primitiveMode == GL_QUADS) {
        for (size_t i = 0; i + 3 < n; i += 4) {
            const GlVertex* q = &primitive[i];
            assembled.insert(assembled.end(), {q[0], q[1], q[2], q[0], q[2], q[3]});
        }
        Submit(CurrentState(Primitive::Triangles), assembled.data(), assembled.size());
        return;
    }
    if (primitiveMode != GL_LINES && primitiveMode != GL_LINE_STRIP)
        return;
    const size_t step = primitiveMode == GL_LINES ? 2 : 1;
    const float width = lineWidth * pixelScale;
    const bool wide = width > 1.0f || lineSmooth;
    const Box viewport = DeviceBox(server.viewport);
    for (size_t i = 0; i + 1 < n; i += step) {
        if (wide)
            WidenLine(primitive[i], primitive[i + 1], viewport, width, lineSmooth, assembled);
        else
            assembled.insert(assembled.end(), {primitive[i], primitive[i + 1]});
    }
    DrawState state = CurrentState(wide ? Primitive::Triangles : Primitive::Lines);
    state.cullFace = false; // lines are never culled, even when drawn as triangles
    Submit(state, assembled.data(), assembled.size());
}

DrawState GlPipeline::CurrentState(Primitive kind) const {
    DrawState s = server;
    s.primitive = kind;
    s.texture = texture2d ? textures.DrawnTexture() : 0;
    s.fog = server.fog && linearFog;
    // The settings of a switched-off stage change no pixel, so they are left at their defaults and
    // do not split batches.
    const DrawState unused;
    if (!s.fog) {
        s.fogStart = unused.fogStart;
        s.fogEnd = unused.fogEnd;
        std::copy(std::begin(unused.fogColour), std::end(unused.fogColour), s.fogColour);
    }
    if (!s.blend) {
        s.blendSource = unused.blendSource;
        s.blendDestination = unused.blendDestination;
    }
    if (!s.cullFace) {
        s.cullMode = unused.cullMode;
        s.frontFace = unused.frontFace;
    }
    if (!s.scissor)
        s.scissorBox = unused.scissorBox;
    else
        s.scissorBox = DeviceBox(s.scissorBox);
    s.viewport = DeviceBox(s.viewport);
    return s;
}

void GlPipeline::SetPixelScale(float scale) {
    if (scale > 0.0f)
        pixelScale = scale;
}

// The box's edges, not its origin and size, are rounded, so that boxes that touch in the window
// still touch on the device.
Box GlPipeline::DeviceBox(const Box& box) const {
    if (pixelScale == 1.0f)
        return box;
    const auto at = [this](int32_t v) { return static_cast<int32_t>(std::lround(v * pixelScale)); };
    return {at(box.x), at(box.y), at(box.x + box.width) - at(box.x), at(box.y + box.height) - at(box.y)};
}

void GlPipeline::Submit(const DrawState& state, const GlVertex* vertices, size_t count) {
    if (count == 0)
        return;
    if (!pending.empty() && !(state == pendingState))
        Flush();
    pendingState = state;
    pending.insert(pending.end(), vertices, vertices + count);
}

void GlPipeline::Flush() {
    if (pending.empty())
        return;
    sink.Draw(pendingState, pending.data(), static_cast<int32_t>(pending.size()));
    pending.clear();
}

void GlPipeline::BindTexture(uint32_t name) {
    textures.Bind(name);
}

void GlPipeline::DeleteTexture(uint32_t name) {
    Flush();
    textures.Delete(name);
}

void GlPipeline::TexParameter(uint32_t parameter, int32_t value) {
    Flush();
    textures.Parameter(parameter, value);
}

void GlPipeline::TexImage(int32_t internalFormat, int32_t width, int32_t height, uint32_t format,
                          uint32_t type, const uint8_t* pixels) {
    Flush();
    textures.Image(internalFormat, width, height, format, type, pixels);
}

} // namespace webgl
