// glTF 2.0 as one binary file (.glb): metres, y up, the object standing on y = 0. Nodes "edges"
// (the struts), "vertices" (the balls) and, with the view's faces, "faces" (each square once, seen
// from both sides, in its tint at the window's opacity, blended), all triangles with unit normals;
// and a camera node with the window's lens and place, moved and scaled with the object. The view's
// text is in asset.extras.view, the program and its version in asset.generator.
#pragma once

#include "model/ModelMesh.h"

#include <string>

class GlbWriter {
public:
    static std::string Write(const ModelSource& source, const ModelMesh& mesh,
                             const ModelPlacement& placement);
};
