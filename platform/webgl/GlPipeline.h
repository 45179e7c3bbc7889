// The part of OpenGL 1.1's fixed-function pipeline the program uses, with the desktop's meaning:
// matrix stacks, immediate mode, colour and texture coordinates, fog, blending, depth, culling and
// scissor. Vertices are transformed here, primitives are assembled into triangles (and lines), and
// consecutive primitives drawn in the same state go to the sink as one batch.
#pragma once

#include "platform/webgl/GlMatrix.h"
#include "platform/webgl/GlSink.h"
#include "platform/webgl/GlTextures.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace webgl {

class GlPipeline {
public:
    explicit GlPipeline(GlSink& sink) : textures(sink), sink(sink) {}

    void MatrixMode(uint32_t mode);
    void LoadIdentity();
    void PushMatrix();
    void PopMatrix();
    void MultMatrix(const GlMatrix& m);

    void Enable(uint32_t capability, bool on);
    void BlendFunc(uint32_t source, uint32_t destination);
    void Fog(uint32_t parameter, const float* values);
    void LineWidth(float width);
    void Viewport(int32_t x, int32_t y, int32_t width, int32_t height);
    void Scissor(int32_t x, int32_t y, int32_t width, int32_t height);
    void CullFace(uint32_t mode);
    void FrontFace(uint32_t mode);
    void ClearColor(float r, float g, float b, float a);
    void Clear(uint32_t mask);

    void Color(float r, float g, float b, float a);
    void TexCoord(float s, float t);
    void Begin(uint32_t mode);
    void Vertex(float x, float y, float z);
    void End();

    // Texture calls go through here so that a pending batch is drawn before its texture changes.
    void BindTexture(uint32_t name);
    void DeleteTexture(uint32_t name);
    void TexParameter(uint32_t parameter, int32_t value);
    void TexImage(int32_t internalFormat, int32_t width, int32_t height, uint32_t format, uint32_t type,
                  const uint8_t* pixels);
    uint32_t GenTexture() { return textures.Generate(); }

    // Hands the pending batch to the sink; called before the frame is shown.
    void Flush();

    // Device pixels per pixel of the program's window: the viewport, the scissor box and line widths
    // the program gives in its own pixels reach the device multiplied by it, so that a drawing buffer
    // finer than the window draws the same picture with sharper lines. Set between frames.
    void SetPixelScale(float scale);

    const GlMatrix& Top(uint32_t mode) const;

private:
    std::vector<GlMatrix>& Stack();
    DrawState CurrentState(Primitive primitive) const;
    Box DeviceBox(const Box& box) const;
    void Submit(const DrawState& state, const GlVertex* vertices, size_t count);

    GlTextures textures;
    GlSink& sink;
    std::vector<GlMatrix> modelview{GlMatrix::Identity()}, projection{GlMatrix::Identity()};
    uint32_t matrixMode = GL_MODELVIEW;

    // The switches and settings a draw takes, as glEnable, glFog, glBlendFunc and the others left
    // them; `server.texture` and `server.primitive` are filled in per batch.
    DrawState server;
    bool texture2d = false, lineSmooth = false, linearFog = false;
    float lineWidth = 1.0f;
    float pixelScale = 1.0f;
    float clearColour[4] = {0, 0, 0, 0};

    float colour[4] = {1, 1, 1, 1};
    float texCoord[2] = {0, 0};
    uint32_t primitiveMode = 0;
    bool inBegin = false;
    std::vector<GlVertex> primitive, assembled;

    DrawState pendingState;
    std::vector<GlVertex> pending;
};

} // namespace webgl
