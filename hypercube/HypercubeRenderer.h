// The 3-D pass of the hypercube viewer: 3-pixel edges in the palette's edge colour, and optionally
// translucent tinted squares carrying their index numbers, sorted back to front under a linear fog
// of the palette's fog colour.
#pragma once

#include "hypercube/ScenePalette.h"

#include <cstdint>

class HypercubeModel;
class OrbitCamera;

// Face tints, RGBA, chosen by face index modulo 3: pale yellow, pale magenta, pale cyan.
inline constexpr float faceColours[3][4] = {
    {0.9f, 0.9f, 0.5f, 0.2f},
    {0.9f, 0.5f, 0.9f, 0.2f},
    {0.5f, 0.9f, 0.9f, 0.2f},
};

// Fog runs from the object's centre (the eye's distance from the origin) to this far beyond it,
// fading the far half of the object towards the fog colour. It is linear in the distance along the line of
// sight.
inline constexpr float fogDepth = 28.0f;

// The whole pass, with the perspective projection loaded and the modelview matrix current: loads
// the camera, draws the faces unless `wireframe` is set, then the edges. The faces are always
// fogged; the wireframe is fogged when `fogged` is set (the fog the faces switched on stays on after
// them) and otherwise drawn without fog. `pixelScale` is the size of a window pixel in pixels of the
// picture drawn: 1 in the window, more in a larger picture.
void DrawHypercube(HypercubeModel& model, const OrbitCamera& camera, bool wireframe, bool fogged,
                   float pixelScale = 1.0f, const ScenePalette& palette = ScenePalette::Dark());

// The linear fog from the eye's distance from the origin to fogDepth beyond it, switched on.
void SwitchOnFog(const OrbitCamera& camera, const ScenePalette& palette);

// Every edge as its own GL_LINES pair, in the palette's edge colour and 3 window pixels wide.
// Nothing is drawn and no GL state changes while the model is not built.
void DrawEdges(const HypercubeModel& model, float pixelScale = 1.0f,
               const ScenePalette& palette = ScenePalette::Dark());

// Every face as a textured quad in depth order under the palette's fog, leaving fog and blending on
// and no texture bound. Nothing is drawn and no GL state changes while the model is not built.
void DrawFaces(HypercubeModel& model, const OrbitCamera& camera,
               const ScenePalette& palette = ScenePalette::Dark());

// Fills model.drawOrder with the faces in the order the face pass draws them: farthest first, ties
// in index order.
void OrderFaces(HypercubeModel& model, const OrbitCamera& camera);

// Reorders model.drawOrder so that FaceDepthKey never increases from the first entry to the last:
// the farthest face comes first. Faces with equal keys keep their relative order.
void SortFaces(HypercubeModel& model, const OrbitCamera& camera);

// (S - E) . (-E), with E the eye and S the sum of the face's four corner positions: grows with the
// face's distance from the eye along the line of sight, the target being the origin.
float FaceDepthKey(const HypercubeModel& model, int32_t face, const float eye[3]);
