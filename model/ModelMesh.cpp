#include "model/ModelMesh.h"

ModelMesh::ModelMesh(const ModelSource& source, const FoldedShadow& shadow, const ModelPlacement& placement) {
    std::vector<MeshPart::Point> centres;
    centres.reserve(shadow.Balls().size());
    for (const std::array<double, 3>& ball : shadow.Balls())
        centres.push_back(placement.Place(ball));
    for (const std::array<int, 2>& strut : shadow.Struts())
        struts.AddStrut(centres[static_cast<size_t>(strut[0])], centres[static_cast<size_t>(strut[1])],
                        placement.StrutRadius());
    for (const MeshPart::Point& centre : centres)
        balls.AddBall(centre, placement.BallRadius());
    if (!source.faces)
        return;
    for (const ModelSquare& square : shadow.Squares()) {
        std::array<MeshPart::Point, 4> corners;
        for (int k = 0; k < 4; ++k)
            corners[static_cast<size_t>(k)] =
                centres[static_cast<size_t>(square.corners[static_cast<size_t>(k)])];
        faces[static_cast<size_t>(square.tint)].AddSquare(corners);
    }
}
