#include "hypercube/ShownText.h"

#include "hypercube/CTessary.h"

#include <cstring>

bool ShownText::Snapshot::operator==(const Snapshot& other) const {
    const View& a = view;
    const View& b = other.view;
    // Bit for bit: a view's camera is written exactly, so any difference is another text.
    return a.dimension == b.dimension && a.wireframe == b.wireframe && a.fogged == b.fogged &&
           std::memcmp(a.eye, b.eye, sizeof a.eye) == 0 && std::memcmp(a.up, b.up, sizeof a.up) == 0 &&
           vertices.size() == other.vertices.size() &&
           // Nothing built has no vertices, and memcmp must not be given an empty vector's null data.
           (vertices.empty() ||
            std::memcmp(vertices.data(), other.vertices.data(), vertices.size() * sizeof(float)) == 0);
}

ShownText::Snapshot ShownText::Take(const CTessary& screen) {
    Snapshot snapshot;
    const HypercubeModel& model = screen.model;
    snapshot.view.dimension = model.built ? model.dimension : 0;
    snapshot.view.wireframe = screen.ShowsWireframe();
    snapshot.view.fogged = screen.Fogged();
    for (int i = 0; i < 3; ++i) {
        snapshot.view.eye[i] = screen.camera.eye[i] - screen.camera.target[i];
        snapshot.view.up[i] = screen.camera.up[i];
    }
    if (model.built)
        snapshot.vertices.assign(model.vertices, model.vertices + model.vertexCount * model.dimension);
    return snapshot;
}

void ShownText::Remember(const CTessary& screen, const std::string& shown) {
    text = shown;
    taken = Take(screen);
}

const std::string* ShownText::Recall(const CTessary& screen) const {
    if (text.empty() || !(Take(screen) == taken))
        return nullptr;
    return &text;
}
