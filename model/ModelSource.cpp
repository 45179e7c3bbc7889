#include "model/ModelSource.h"

#include "hypercube/CTessary.h"

ModelSource ModelSource::Of(const CTessary& screen, const std::string& view, bool light) {
    return Of(screen.model, !screen.ShowsWireframe(), screen.camera, view, light);
}

ModelSource ModelSource::Of(const HypercubeModel& model, bool faces, const OrbitCamera& camera,
                            const std::string& view, bool light) {
    ModelSource source;
    source.view = view;
    source.light = light;
    for (int i = 0; i < 3; ++i) {
        source.eye[i] = camera.eye[i];
        source.target[i] = camera.target[i];
        source.up[i] = camera.up[i];
    }
    if (!model.built || model.dimension < 3)
        return source;
    source.dimension = model.dimension;
    source.faces = faces;
    // The first three coordinates of each vertex are what the window hands to glVertex3fv.
    source.vertices.resize(static_cast<size_t>(model.vertexCount));
    for (int32_t v = 0; v < model.vertexCount; ++v)
        for (int axis = 0; axis < 3; ++axis)
            source.vertices[static_cast<size_t>(v)][axis] = model.Vertex(v)[axis];
    source.edges.reserve(static_cast<size_t>(model.edgeCount));
    for (int32_t e = 0; e < model.edgeCount; ++e)
        source.edges.push_back({model.edges[e].first, model.edges[e].second});
    source.squares.reserve(static_cast<size_t>(model.faceCount));
    for (int32_t m = 0; m < model.faceCount; ++m) {
        const CubeEdge& base = model.edges[model.faces[m].base];
        const CubeEdge& copy = model.edges[model.faces[m].copy];
        source.squares.push_back({{base.first, base.second, copy.second, copy.first}, m % 3});
    }
    return source;
}
