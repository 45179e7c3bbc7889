// The model's mesh: a strut for every strut of the folded shadow, a ball for every ball, and, when
// the view shows them, its squares by the window's three tints; placed by ModelPlacement.
#pragma once

#include "model/FoldedShadow.h"
#include "model/MeshPart.h"
#include "model/ModelPlacement.h"

#include <array>

class ModelMesh {
public:
    ModelMesh(const ModelSource& source, const FoldedShadow& shadow, const ModelPlacement& placement);

    MeshPart struts;
    MeshPart balls;
    std::array<MeshPart, 3> faces; // empty without the view's faces
};
