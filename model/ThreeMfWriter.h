// 3MF, for printing: a ZIP with 3D/3dmodel.model in millimetres, z up, the object resting on z = 0;
// every strut and ball in one mesh object, since a slicer unites the overlapping shells of one
// object but keeps separate objects apart. The view's text is the model's Description.
#pragma once

#include "model/ModelMesh.h"

#include <string>

class ThreeMfWriter {
public:
    // `size`: the object's largest extent in millimetres.
    static std::string Write(const ModelSource& source, const ModelMesh& mesh, double size);
};
