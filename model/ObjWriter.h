// Wavefront OBJ, for everything else: metres, y up, the object standing on y = 0; the groups
// "edges" (the struts), "vertices" (the balls) and, with the view's faces, "faces", each vertex
// with its colour after its position, so that no companion material file is needed.
#pragma once

#include "model/ModelMesh.h"

#include <string>

class ObjWriter {
public:
    // `size`: the object's largest extent in millimetres.
    static std::string Write(const ModelSource& source, const ModelMesh& mesh, double size);
};
