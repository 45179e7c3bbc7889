// The 3-D pass drawn offscreen through the viewer's projection and camera, read back and compared
// with where the camera and projection put each vertex.
#include "gui/TextTexture.h"
#include "hypercube/HypercubeModel.h"
#include "hypercube/HypercubeRenderer.h"
#include "hypercube/OrbitCamera.h"
#include "platform/Gl.h"
#include "tests/support/GlTestContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int frameWidth = 1024;
constexpr int frameHeight = 768;

struct ScreenPoint {
    double x;        // pixels from the left
    double y;        // pixels from the top
    double eyeDepth; // distance in front of the eye along the line of sight
};

struct Rgb {
    double r, g, b; // 0 to 1
};

// The viewer's fixed projection and the GL state the frame loop leaves before every 3-D pass.
void PrepareFrame() {
    glViewport(0, 0, frameWidth, frameHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(50.0, 4.0 / 3.0, 1.0, 3e7);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, 0);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Projects a model-space point with the matrices the pass left loaded.
ScreenPoint Project(double x, double y, double z) {
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx, wy, wz;
    gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz);
    const double eyeZ = modelview[2] * x + modelview[6] * y + modelview[10] * z + modelview[14];
    return {wx, frameHeight - wy, -eyeZ};
}

ScreenPoint ProjectVertex(const HypercubeModel& model, int32_t v) {
    // A 2-cube is drawn in the plane z = 0.
    const float* p = model.Vertex(v);
    return Project(p[0], p[1], model.dimension >= 3 ? p[2] : 0.0f);
}

int Px(double coordinate) {
    return static_cast<int>(std::floor(coordinate));
}

std::string Describe(const Frame& frame, int x, int y) {
    const uint8_t* p = frame.At(x, y);
    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " + std::to_string(p[0]) + ", " +
           std::to_string(p[1]) + ", " + std::to_string(p[2]);
}

bool IsBlack(const Frame& frame, int x, int y) {
    return PixelNear(frame, x, y, 0, 0, 0);
}

bool IsWhite(const Frame& frame, int x, int y) {
    return PixelNear(frame, x, y, 255, 255, 255);
}

// The smallest rectangle holding every pixel that is not black.
struct Box {
    int left = frameWidth, top = frameHeight, right = -1, bottom = -1;
};

Box LitBox(const Frame& frame) {
    Box box;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            if (!IsBlack(frame, x, y)) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

struct Extent {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
};

Extent ProjectedExtent(const HypercubeModel& model, int32_t firstVertex, int32_t lastVertex) {
    Extent extent;
    for (int32_t v = firstVertex; v <= lastVertex; ++v) {
        const ScreenPoint p = ProjectVertex(model, v);
        extent.left = std::min(extent.left, p.x);
        extent.right = std::max(extent.right, p.x);
        extent.top = std::min(extent.top, p.y);
        extent.bottom = std::max(extent.bottom, p.y);
    }
    return extent;
}

// Linear black fog measured along the line of sight, as the fog start and end are read back.
double FogFactor(double eyeDepth) {
    GLfloat start, end;
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    return std::clamp((end - eyeDepth) / (end - start), 0.0, 1.0);
}

// One translucent tinted face composited over `below`, where its label texture is opaque white.
Rgb OverFace(Rgb below, int32_t face, double eyeDepth) {
    const float* colour = faceColours[face % 3];
    const double fog = FogFactor(eyeDepth);
    const double alpha = colour[3];
    return {alpha * fog * colour[0] + (1 - alpha) * below.r, alpha * fog * colour[1] + (1 - alpha) * below.g,
            alpha * fog * colour[2] + (1 - alpha) * below.b};
}

void ExpectColour(const Frame& frame, const ScreenPoint& at, Rgb expected, const char* what) {
    const int x = Px(at.x), y = Px(at.y);
    const int r = static_cast<int>(std::lround(expected.r * 255));
    const int g = static_cast<int>(std::lround(expected.g * 255));
    const int b = static_cast<int>(std::lround(expected.b * 255));
    EXPECT_TRUE(PixelNear(frame, x, y, r, g, b))
        << what << ": " << Describe(frame, x, y) << ", expected " << r << ", " << g << ", " << b;
}

class HypercubeRendering : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.Ok()) << "no offscreen GL context";
        PrepareFrame();
        SetUpViewerCamera(camera);
        model.BuildCountTables();
    }

    void BuildCube(int32_t n) {
        model.Build(n);
        model.built = true;
    }

    // Every edge is white at a few points along it, every pixel is black or white, and the lit
    // area is the projection of the vertices widened by the line width.
    void ExpectWireframe(const Frame& frame) {
        for (int32_t i = 0; i < model.edgeCount; ++i) {
            const float* a = model.Vertex(model.edges[i].first);
            const float* b = model.Vertex(model.edges[i].second);
            for (double t : {0.25, 0.5, 0.75}) {
                const ScreenPoint p =
                    Project(a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]), a[2] + t * (b[2] - a[2]));
                EXPECT_TRUE(IsWhite(frame, Px(p.x), Px(p.y)))
                    << "edge " << i << " at " << t << ": " << Describe(frame, Px(p.x), Px(p.y));
            }
        }
        int neither = 0;
        for (int y = 0; y < frame.height; ++y)
            for (int x = 0; x < frame.width; ++x)
                neither += !IsBlack(frame, x, y) && !IsWhite(frame, x, y);
        EXPECT_EQ(neither, 0) << "pixels that are neither background nor edge";

        const Extent extent = ProjectedExtent(model, 0, model.vertexCount - 1);
        const Box lit = LitBox(frame);
        EXPECT_NEAR(lit.left, extent.left, 2.5);
        EXPECT_NEAR(lit.right, extent.right, 2.5);
        EXPECT_NEAR(lit.top, extent.top, 2.5);
        EXPECT_NEAR(lit.bottom, extent.bottom, 2.5);
    }

    GlTestContext gl;
    HypercubeModel model;
    OrbitCamera camera;
};

} // namespace

TEST_F(HypercubeRendering, BeforeAnyBuildNothingIsDrawnAndFogStaysOff) {
    for (bool wireframe : {true, false}) {
        PrepareFrame();
        DrawHypercube(model, camera, wireframe, false);
        const Frame frame = ReadFrame();
        const Box lit = LitBox(frame);
        EXPECT_EQ(lit.right, -1) << "wireframe " << wireframe << ": something was drawn at " << lit.left
                                 << ", " << lit.top;
        EXPECT_FALSE(glIsEnabled(GL_FOG));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "the passes change no state while nothing is built";
        EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    }
}

TEST_F(HypercubeRendering, StartUpThreeCubeWireframeSpansTheProjectedFrontAndBackSquares) {
    BuildCube(3);
    DrawHypercube(model, camera, true, false);
    const Frame frame = ReadFrame();
    WritePng(frame, PicturePath("tessary-3cube-wireframe.png"));
    ExpectWireframe(frame);

    // The front square (z = +25) is vertices 4 to 7, the back square (z = -25) vertices 0 to 3;
    // around 347..677 by 219..549 and 394..630 by 266..502 in this projection.
    const Extent front = ProjectedExtent(model, 4, 7);
    const Extent back = ProjectedExtent(model, 0, 3);
    EXPECT_GT(front.right - front.left, back.right - back.left) << "the near square looks larger";
    const int midY = Px((back.top + back.bottom) / 2);
    for (double x : {front.left, front.right, back.left, back.right})
        EXPECT_TRUE(IsWhite(frame, Px(x), midY)) << Describe(frame, Px(x), midY);
    // Black between the squares and inside the back square.
    EXPECT_TRUE(IsBlack(frame, Px((front.left + back.left) / 2), midY));
    EXPECT_TRUE(IsBlack(frame, frameWidth / 2, frameHeight / 2))
        << Describe(frame, frameWidth / 2, frameHeight / 2);
    EXPECT_TRUE(IsBlack(frame, 0, 0));
    EXPECT_TRUE(IsBlack(frame, frameWidth - 1, frameHeight - 1));
}

TEST_F(HypercubeRendering, EdgesAreThreePixelsWide) {
    BuildCube(3);
    DrawHypercube(model, camera, true, false);
    const Frame frame = ReadFrame();
    // The front square's left side, vertices 4 and 6, is a vertical line on the screen.
    const ScreenPoint mid = Project(-25, 0, 25);
    int white = 0;
    for (int x = Px(mid.x) - 8; x <= Px(mid.x) + 8; ++x)
        white += IsWhite(frame, x, Px(mid.y));
    EXPECT_EQ(white, 3) << "white pixels across the line at row " << Px(mid.y);
}

TEST_F(HypercubeRendering, TurnedFourCubeWireframeShowsEveryEdge) {
    BuildCube(4);
    model.RotatePlane(0, 3, 0.5f);
    model.RotatePlane(2, 3, 0.35f);
    model.RotatePlane(1, 3, -0.25f);
    camera.Yaw(0.4f);
    camera.Pitch(0.3f);
    DrawHypercube(model, camera, true, false);
    const Frame frame = ReadFrame();
    EXPECT_TRUE(WritePng(frame, PicturePath("tessary-4cube-wireframe.png")));
    ExpectWireframe(frame);
}

TEST_F(HypercubeRendering, FacesPassSortsBackToFrontAndLeavesFogAndBlendingOn) {
    BuildCube(3);
    DrawHypercube(model, camera, false, true);
    EXPECT_EQ(model.drawOrder[0], 0) << "the face at z = -25 is farthest";
    EXPECT_EQ(model.drawOrder[5], 1) << "the face at z = +25 is nearest";

    GLfloat start = 0, end = 0, colour[4] = {1, 1, 1, 1};
    GLint mode = 0, texture = -1, source = 0, destination = 0;
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    glGetFloatv(GL_FOG_COLOR, colour);
    glGetIntegerv(GL_FOG_MODE, &mode);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_FLOAT_EQ(start, 150.0f);
    EXPECT_FLOAT_EQ(end, 178.0f);
    EXPECT_EQ(mode, GL_LINEAR);
    EXPECT_EQ(colour[0], 0.0f);
    EXPECT_EQ(colour[1], 0.0f);
    EXPECT_EQ(colour[2], 0.0f);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(texture, 0) << "no texture stays bound";
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << "switched back on for the edges";
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(HypercubeRendering, FacesAreTintedByIndexFoggedBeyondTheCentreAndUnderOpaqueEdges) {
    BuildCube(3);
    // The sampled points lie where each label is an opaque white tile: beyond the text's rows.
    for (int32_t m : {0, 1, 5})
        ASSERT_LT(model.faceLabels[m].textHeight, 0.7 * model.faceLabels[m].textureHeight) << "label " << m;
    DrawHypercube(model, camera, false, true);
    const Frame frame = ReadFrame();
    EXPECT_TRUE(WritePng(frame, PicturePath("tessary-3cube-faces.png")));
    const Rgb black = {0, 0, 0};

    // Inside the back square the line of sight crosses the back face (drawn first, partly fogged)
    // and then the front face.
    const ScreenPoint onBack = Project(15, 15, -25);
    const double scale = (150.0 - 25.0) / (150.0 + 25.0);
    const ScreenPoint onFront = Project(15 * scale, 15 * scale, 25);
    ExpectColour(frame, onBack, OverFace(OverFace(black, 0, onBack.eyeDepth), 1, onFront.eyeDepth),
                 "back face under front face");

    // Between the squares on the right it crosses the side face x = +25 (face 5) and the front face.
    const ScreenPoint onSide = Project(25, 15, 10);
    const double sideScale = (150.0 - 25.0) / (150.0 - 10.0);
    const ScreenPoint sideOnFront = Project(25 * sideScale, 15 * sideScale, 25);
    ExpectColour(frame, onSide, OverFace(OverFace(black, 5, onSide.eyeDepth), 1, sideOnFront.eyeDepth),
                 "right face under front face");

    // Edges are opaque; the near ones keep their white, the far ones darken in the fog.
    const ScreenPoint frontEdge = Project(0, -25, 25);
    EXPECT_TRUE(IsWhite(frame, Px(frontEdge.x), Px(frontEdge.y)))
        << Describe(frame, Px(frontEdge.x), Px(frontEdge.y));
    const ScreenPoint backEdge = Project(0, -25, -25);
    const uint8_t* back = frame.At(Px(backEdge.x), Px(backEdge.y));
    EXPECT_LT(back[0], 255 / 5) << Describe(frame, Px(backEdge.x), Px(backEdge.y));
    EXPECT_GT(back[0], 0) << Describe(frame, Px(backEdge.x), Px(backEdge.y));
    EXPECT_TRUE(back[0] == back[1] && back[1] == back[2]) << "fogged white stays grey";
    EXPECT_TRUE(IsBlack(frame, 0, 0)) << "outside the cube";
}

TEST_F(HypercubeRendering, TheWireframeAfterTheFacesIsFoggedFromTheEyeOrNotAtAll) {
    BuildCube(3);
    DrawHypercube(model, camera, false, true);
    camera.Zoom(0.2f);
    const float distance = std::sqrt(camera.eye[0] * camera.eye[0] + camera.eye[1] * camera.eye[1] +
                                     camera.eye[2] * camera.eye[2]);
    PrepareFrame();
    DrawHypercube(model, camera, true, true);
    GLfloat start = 0, end = 0;
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_NE(distance, 150.0f) << "the zoom moved the eye";
    EXPECT_FLOAT_EQ(start, distance) << "the fog starts where the eye is now, not where the faces saw it";
    EXPECT_FLOAT_EQ(end, distance + fogDepth);
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "blending is the frame loop's to switch off";

    PrepareFrame();
    DrawHypercube(model, camera, true, false);
    EXPECT_FALSE(glIsEnabled(GL_FOG)) << "a wireframe without the fog";
}

TEST_F(HypercubeRendering, TurnedFiveCubeInFacesModeStaysInsideItsProjection) {
    BuildCube(5);
    model.RotatePlane(0, 3, 0.6f);
    model.RotatePlane(1, 4, 0.45f);
    model.RotatePlane(2, 3, -0.3f);
    model.RotatePlane(0, 2, 0.5f);
    camera.Yaw(-0.5f);
    camera.Pitch(0.35f);
    DrawHypercube(model, camera, false, true);
    const Frame frame = ReadFrame();
    EXPECT_TRUE(WritePng(frame, PicturePath("tessary-5cube-faces.png")));

    // Parts far behind the centre may vanish in the fog, so the lit area lies within the projection
    // rather than filling it.
    const Extent extent = ProjectedExtent(model, 0, model.vertexCount - 1);
    const Box lit = LitBox(frame);
    EXPECT_GE(lit.left, extent.left - 2.5);
    EXPECT_LE(lit.right, extent.right + 2.5);
    EXPECT_GE(lit.top, extent.top - 2.5);
    EXPECT_LE(lit.bottom, extent.bottom + 2.5);
    // Tinted faces show: some pixels have unequal channels, unlike white or fogged edges.
    int tinted = 0;
    for (int y = lit.top; y <= lit.bottom; ++y)
        for (int x = lit.left; x <= lit.right; ++x) {
            const uint8_t* p = frame.At(x, y);
            tinted += std::abs(p[0] - p[2]) > 8 || std::abs(p[1] - p[2]) > 8;
        }
    EXPECT_GT(tinted, 1000);
}

TEST_F(HypercubeRendering, LabelStartsAtTheBaseCornerAndRunsAlongTheFace) {
    // The square of a 2-cube lies in the plane z = 0, facing the camera alone, so every pixel of it
    // is its tint times its label texture over black: texture row t runs along the base edge (from
    // vertex 0 to vertex 1) and texture column s from the base edge to its copy (vertex 0 to 2).
    BuildCube(2);
    DrawHypercube(model, camera, false, true);
    const Frame frame = ReadFrame();
    WritePng(frame, PicturePath("tessary-2cube-label.png"));
    const TextTexture& label = model.faceLabels[0];
    const std::vector<uint8_t> texels =
        ReadTexture(label.textureName, label.textureWidth, label.textureHeight);
    ASSERT_FALSE(texels.empty());

    const ScreenPoint origin = ProjectVertex(model, 0);
    const ScreenPoint alongBase = ProjectVertex(model, 1);
    const ScreenPoint towardsCopy = ProjectVertex(model, 2);
    const float* tint = faceColours[0];
    int checked = 0, cutOut = 0, mismatched = 0;
    // A margin keeps the white edges out of the comparison.
    for (int y = Px(towardsCopy.y) + 4; y <= Px(origin.y) - 4; ++y)
        for (int x = Px(origin.x) + 4; x <= Px(alongBase.x) - 4; ++x) {
            const double t = (x + 0.5 - origin.x) / (alongBase.x - origin.x);
            const double s = (y + 0.5 - origin.y) / (towardsCopy.y - origin.y);
            const int column =
                std::clamp(static_cast<int>(s * label.textureWidth), 0, label.textureWidth - 1);
            const int row = std::clamp(static_cast<int>(t * label.textureHeight), 0, label.textureHeight - 1);
            const uint8_t* texel = &texels[(static_cast<size_t>(row) * label.textureWidth + column) * 4];
            const double alpha = tint[3] * texel[3] / 255.0;
            const uint8_t* pixel = frame.At(x, y);
            bool same = true;
            for (int channel = 0; channel < 3; ++channel) {
                const double expected = 255.0 * alpha * tint[channel] * texel[channel] / 255.0;
                same = same && std::abs(pixel[channel] - expected) <= 10;
            }
            ++checked;
            cutOut += texel[3] < 128;
            mismatched += !same;
        }
    ASSERT_GT(checked, 10000);
    EXPECT_GT(cutOut, checked / 50) << "the number should cover part of the face";
    // Texture filtering blurs the outline of the digits; anything more is a misplaced label.
    EXPECT_LT(mismatched, checked / 50) << "of " << checked << " pixels";
}
