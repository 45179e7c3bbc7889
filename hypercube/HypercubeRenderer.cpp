#include "hypercube/HypercubeRenderer.h"

#include "gui/TextTexture.h"
#include "hypercube/HypercubeModel.h"
#include "hypercube/OrbitCamera.h"
#include "hypercube/WindowLens.h"
#include "platform/Gl.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The drawn position of a vertex is its first three coordinates. A 2-cube, which the model accepts
// but the viewer never builds, has only two, and is drawn in the plane z = 0.
void EmitVertex(const HypercubeModel& model, int32_t v) {
    if (model.dimension >= 3)
        glVertex3fv(model.Vertex(v));
    else
        glVertex2fv(model.Vertex(v));
}

float Coordinate(const HypercubeModel& model, int32_t v, int axis) {
    return axis < model.dimension ? model.Vertex(v)[axis] : 0.0f;
}

} // namespace

void DrawHypercube(HypercubeModel& model, const OrbitCamera& camera, bool wireframe, bool fogged,
                   float pixelScale, const ScenePalette& palette) {
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    // Set here rather than left from the last frame's overlay: a picture drawn before any frame
    // would otherwise let far fogged edges cover near ones.
    glEnable(GL_DEPTH_TEST);
    gluLookAt(camera.eye[0], camera.eye[1], camera.eye[2], camera.target[0], camera.target[1],
              camera.target[2], camera.up[0], camera.up[1], camera.up[2]);
    if (!wireframe) {
        glEnable(GL_TEXTURE_2D);
        DrawFaces(model, camera, palette);
        glEnable(GL_DEPTH_TEST);
    } else if (model.built) {
        // The fog follows the eye here as it does under the faces: distances kept from the last
        // face pass would fog the whole wireframe to black once the camera has moved back beyond them.
        if (fogged)
            SwitchOnFog(camera, palette);
        else
            glDisable(GL_FOG);
    }
    DrawEdges(model, pixelScale, palette);
}

void DrawEdges(const HypercubeModel& model, float pixelScale, const ScenePalette& palette) {
    if (!model.built)
        return;
    glDisable(GL_LIGHTING);
    glLineWidth(WindowLens::edgeWidth * pixelScale);
    glColor4f(palette.edges[0], palette.edges[1], palette.edges[2], 1.0f);
    for (int32_t i = 0; i < model.edgeCount; ++i) {
        glBegin(GL_LINES);
        EmitVertex(model, model.edges[i].first);
        EmitVertex(model, model.edges[i].second);
        glEnd();
    }
}

void DrawFaces(HypercubeModel& model, const OrbitCamera& camera, const ScenePalette& palette) {
    if (!model.built)
        return;
    OrderFaces(model, camera);
    SwitchOnFog(camera, palette);

    // The squares are translucent and drawn far to near, so they must neither test nor write depth.
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);

    for (int32_t i = 0; i < model.faceCount; ++i) {
        const int32_t m = model.drawOrder[i];
        const CubeEdge& base = model.edges[model.faces[m].base];
        const CubeEdge& copy = model.edges[model.faces[m].copy];
        // A model built without labels is drawn with untextured squares.
        glBindTexture(GL_TEXTURE_2D, m < model.faceLabels.Count() ? model.faceLabels[m].textureName : 0);
        glBegin(GL_QUADS);
        glColor4fv(faceColours[m % 3]);
        glTexCoord2i(0, 0);
        EmitVertex(model, base.first);
        glTexCoord2i(0, 1);
        EmitVertex(model, base.second);
        glTexCoord2i(1, 1);
        EmitVertex(model, copy.second);
        glTexCoord2i(1, 0);
        EmitVertex(model, copy.first);
        glEnd();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void SwitchOnFog(const OrbitCamera& camera, const ScenePalette& palette) {
    const float* eye = camera.eye;
    const float distance = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    const GLfloat fog[4] = {palette.fog[0], palette.fog[1], palette.fog[2], 1.0f};
    glFogfv(GL_FOG_COLOR, fog);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, distance);
    glFogf(GL_FOG_END, distance + fogDepth);
    glEnable(GL_FOG);
}

void OrderFaces(HypercubeModel& model, const OrbitCamera& camera) {
    for (int32_t i = 0; i < model.faceCount; ++i)
        model.drawOrder[i] = i;
    SortFaces(model, camera);
}

void SortFaces(HypercubeModel& model, const OrbitCamera& camera) {
    std::vector<float> keys(static_cast<size_t>(model.faceCount));
    for (int32_t m = 0; m < model.faceCount; ++m)
        keys[m] = FaceDepthKey(model, m, camera.eye);
    std::stable_sort(model.drawOrder, model.drawOrder + model.faceCount,
                     [&keys](int32_t p, int32_t q) { return keys[p] > keys[q]; });
}

float FaceDepthKey(const HypercubeModel& model, int32_t face, const float eye[3]) {
    const CubeEdge& base = model.edges[model.faces[face].base];
    const CubeEdge& copy = model.edges[model.faces[face].copy];
    float key = 0.0f;
    for (int axis = 0; axis < 3; ++axis) {
        const float sum = Coordinate(model, base.first, axis) + Coordinate(model, base.second, axis) +
                          Coordinate(model, copy.first, axis) + Coordinate(model, copy.second, axis);
        key += (sum - eye[axis]) * -eye[axis];
    }
    return key;
}
