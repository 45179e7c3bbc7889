// The desktop-GL emulation of the browser build, checked without a browser: what reaches the
// device for the calls the program makes.
#include "platform/webgl/GlPipeline.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

using namespace webgl;

namespace webgl {
void PrintTo(const Box& b, std::ostream* os) {
    *os << "{" << b.x << ", " << b.y << ", " << b.width << ", " << b.height << "}";
}
} // namespace webgl

namespace {

struct Recorded {
    DrawState state;
    std::vector<GlVertex> vertices;
};

class RecordingSink : public GlSink {
public:
    void Draw(const DrawState& s, const GlVertex* v, int32_t n) override { draws.push_back({s, {v, v + n}}); }
    void Clear(uint32_t, const float*, bool, const Box& box) override { clearedBoxes.push_back(box); }
    void TexImage(uint32_t, int32_t w, int32_t h, const uint8_t* rgba) override {
        lastImage.assign(rgba, rgba + static_cast<size_t>(w) * h * 4);
    }
    void TexParameters(uint32_t, const TextureParameters& p) override { lastParameters = p; }
    void DeleteTexture(uint32_t) override {}
    std::vector<Recorded> draws;
    std::vector<Box> clearedBoxes;
    std::vector<uint8_t> lastImage;
    TextureParameters lastParameters;
};

class Pipeline : public ::testing::Test {
protected:
    void SetUp() override { gl.Viewport(0, 0, 1024, 768); }
    // Window pixel of a clip-space vertex, y downwards as the overlay counts.
    static std::pair<float, float> Pixel(const GlVertex& v) {
        return {(v.x / v.w + 1.0f) * 512.0f, 768.0f - (v.y / v.w + 1.0f) * 384.0f};
    }
    void Overlay() {
        gl.MatrixMode(GL_PROJECTION);
        gl.LoadIdentity();
        gl.MultMatrix(GlMatrix::Ortho(0, 1024, 768, 0, 1, -1));
        gl.MatrixMode(GL_MODELVIEW);
    }
    void Line(float x0, float y0, float x1, float y1) {
        gl.Begin(GL_LINES);
        gl.Vertex(x0, y0, 0);
        gl.Vertex(x1, y1, 0);
        gl.End();
    }
    RecordingSink sink;
    GlPipeline gl{sink};
};

TEST_F(Pipeline, GluMatricesMultiplyTheCurrentMatrixAsOnTheDesktop) {
    gl.MatrixMode(GL_PROJECTION);
    gl.MultMatrix(GlMatrix::Translation(0, 0, -5));
    gl.MultMatrix(GlMatrix::Perspective(50.0, 4.0 / 3.0, 1.0, 3.0e7));
    const GlMatrix expected =
        GlMatrix::Translation(0, 0, -5) * GlMatrix::Perspective(50.0, 4.0 / 3.0, 1.0, 3.0e7);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(gl.Top(GL_PROJECTION).m[i], expected.m[i]) << "element " << i;

    // The eye at (0, 0, 10) looking at the origin puts the origin 10 units in front: eye z = -10.
    const double eye[3] = {0, 0, 10}, centre[3] = {0, 0, 0}, up[3] = {0, 1, 0};
    const Vec4 seen = GlMatrix::LookAt(eye, centre, up).Apply({0, 0, 0, 1});
    EXPECT_NEAR(seen.z, -10.0f, 1e-5f);
    const double side[3] = {10, 0, 0};
    const Vec4 fromSide = GlMatrix::LookAt(side, centre, up).Apply({0, 0, 1, 1});
    EXPECT_NEAR(fromSide.x, -1.0f, 1e-5f) << "+z is to the left when looking from +x";
}

TEST_F(Pipeline, WideAliasedLinesGrowAlongTheMinorAxisSmoothedOnesAcrossThemselves) {
    Overlay();
    gl.LineWidth(3.0f);
    Line(100, 200, 300, 210); // mostly horizontal
    gl.Flush();
    ASSERT_EQ(sink.draws.size(), 1u);
    const std::vector<GlVertex>& v = sink.draws[0].vertices;
    ASSERT_EQ(v.size(), 6u);
    EXPECT_EQ(sink.draws[0].state.primitive, Primitive::Triangles);
    const auto [x0, y0] = Pixel(v[0]);
    const auto [x1, y1] = Pixel(v[1]);
    EXPECT_NEAR(x0, 100.0f, 1e-3f);
    EXPECT_NEAR(x1, 100.0f, 1e-3f) << "an x-major line is widened in y only";
    EXPECT_NEAR(std::fabs(y1 - y0), 3.0f, 1e-3f) << "column height of the widened line";

    sink.draws.clear();
    gl.Enable(GL_LINE_SMOOTH, true);
    Line(100, 100, 200, 200);
    gl.Flush();
    const std::vector<GlVertex>& s = sink.draws.at(0).vertices;
    const auto [sx0, sy0] = Pixel(s[0]);
    const auto [sx1, sy1] = Pixel(s[1]);
    EXPECT_NEAR(std::hypot(sx1 - sx0, sy1 - sy0), 4.0f, 1e-3f) << "3 px plus half a pixel of fade each side";
    EXPECT_NEAR(sx1 - sx0, -(sy1 - sy0), 1e-3f) << "perpendicular to a 45-degree line";
    EXPECT_FLOAT_EQ(s[0].across, 2.0f);
    EXPECT_FLOAT_EQ(s[0].halfWidth, 1.5f);
}

TEST_F(Pipeline, OnePixelLinesStayNativeAndLinesBehindTheEyeAreCut) {
    Overlay();
    gl.Begin(GL_LINE_STRIP);
    for (int i = 0; i < 5; ++i)
        gl.Vertex(10.0f * i, 0, 0);
    gl.End();
    gl.Flush();
    ASSERT_EQ(sink.draws.size(), 1u);
    EXPECT_EQ(sink.draws[0].state.primitive, Primitive::Lines);
    EXPECT_EQ(sink.draws[0].vertices.size(), 8u) << "a strip of 5 vertices is 4 segments";

    sink.draws.clear();
    gl.MatrixMode(GL_PROJECTION);
    gl.LoadIdentity();
    gl.MultMatrix(GlMatrix::Perspective(50.0, 4.0 / 3.0, 1.0, 100.0));
    gl.MatrixMode(GL_MODELVIEW);
    gl.LineWidth(3.0f);
    gl.Begin(GL_LINES);
    gl.Vertex(0, 0, -10);
    gl.Vertex(0, 5, 10); // behind the eye
    gl.End();
    gl.Flush();
    ASSERT_EQ(sink.draws.size(), 1u);
    for (const GlVertex& v : sink.draws[0].vertices)
        EXPECT_GE(v.z + v.w, -1e-4f) << "every vertex on the visible side of the near plane";
}

TEST_F(Pipeline, AFinerDrawingBufferGetsScaledBoxesAndLinesAsWideOnTheScreen) {
    gl.SetPixelScale(2.0f);
    Overlay();
    gl.Enable(GL_SCISSOR_TEST, true);
    gl.Scissor(10, 20, 30, 40);
    Line(100, 200, 300, 210);
    gl.Flush();
    ASSERT_EQ(sink.draws.size(), 1u);
    const DrawState& state = sink.draws[0].state;
    EXPECT_EQ(state.viewport, (Box{0, 0, 2048, 1536}));
    EXPECT_EQ(state.scissorBox, (Box{20, 40, 60, 80}));
    gl.Clear(GL_COLOR_BUFFER_BIT);
    ASSERT_EQ(sink.clearedBoxes.size(), 1u);
    EXPECT_EQ(sink.clearedBoxes[0], (Box{20, 40, 60, 80})) << "a scissored clear, as the draws";
    EXPECT_EQ(state.primitive, Primitive::Triangles) << "a 1 px line is 2 device pixels wide";
    const std::vector<GlVertex>& v = sink.draws[0].vertices;
    ASSERT_EQ(v.size(), 6u);
    EXPECT_NEAR(std::fabs(Pixel(v[1]).second - Pixel(v[0]).second), 1.0f, 1e-3f) << "window pixels";

    // Edges, not origin and size, are rounded: boxes that touch in the window touch on the device.
    sink.draws.clear();
    gl.SetPixelScale(1.5f);
    gl.Scissor(1, 1, 1, 1);
    Line(100, 200, 300, 210);
    gl.Flush();
    ASSERT_EQ(sink.draws.size(), 1u);
    EXPECT_EQ(sink.draws[0].state.viewport, (Box{0, 0, 1536, 1152}));
    EXPECT_EQ(sink.draws[0].state.scissorBox, (Box{2, 2, 1, 1}));
}

TEST_F(Pipeline, TexturesFollowTheDesktopRules) {
    const uint32_t name = gl.GenTexture();
    gl.Enable(GL_TEXTURE_2D, true);
    gl.BindTexture(name);
    auto drawnTexture = [this] {
        sink.draws.clear();
        gl.Begin(GL_QUADS);
        for (int i = 0; i < 4; ++i)
            gl.Vertex(static_cast<float>(i & 1), static_cast<float>(i >> 1), 0);
        gl.End();
        gl.Flush();
        return sink.draws.at(0).state.texture;
    };
    gl.TexParameter(GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    EXPECT_EQ(drawnTexture(), 0u) << "no image yet: untextured, not black";
    gl.TexParameter(GL_TEXTURE_WRAP_S, GL_CLAMP);
    EXPECT_EQ(sink.lastParameters.wrapS, static_cast<uint32_t>(GL_CLAMP_TO_EDGE))
        << "GL_CLAMP becomes clamp to edge";
    const uint8_t texel[4] = {10, 20, 30, 40};
    gl.TexImage(4, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    EXPECT_EQ(drawnTexture(), name) << "internal format 4 is RGBA";
    EXPECT_EQ(sink.lastImage, std::vector<uint8_t>(texel, texel + 4));
    gl.TexParameter(GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_LINEAR); // without mipmaps: incomplete
    EXPECT_EQ(drawnTexture(), 0u);
    gl.TexParameter(GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl.BindTexture(0);
    EXPECT_EQ(drawnTexture(), 0u) << "texture 0 with texturing on draws untextured";
}

TEST_F(Pipeline, PrimitivesInTheSameStateShareOneDrawAndFogReadsTheEyeDistance) {
    for (int i = 0; i < 100; ++i) {
        gl.Begin(GL_QUADS);
        for (int k = 0; k < 4; ++k)
            gl.Vertex(static_cast<float>(k), 0, -static_cast<float>(i));
        gl.End();
    }
    gl.Enable(GL_FOG, true); // a state change ends the batch
    gl.LineWidth(1.0f);
    Line(0, 0, 1, 1);
    gl.Flush();
    ASSERT_EQ(sink.draws.size(), 2u);
    EXPECT_EQ(sink.draws[0].vertices.size(), 600u) << "100 quads as 200 triangles in one draw";
    EXPECT_FLOAT_EQ(sink.draws[0].vertices[599].fogDistance, 99.0f);
    EXPECT_FALSE(sink.draws[1].state.fog) << "fog without a linear mode set is not the program's";
}

} // namespace
