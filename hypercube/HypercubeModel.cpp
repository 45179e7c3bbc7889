#include "hypercube/HypercubeModel.h"

#include "hypercube/PlaneTurn.h"

#include <cmath>

namespace {

// Count tables cover dimensions 0 to 15; the model accepts 2 <= n < countTableSize.
constexpr int32_t countTableSize = 16;

} // namespace

HypercubeModel::~HypercubeModel() {
    Release();
}

void HypercubeModel::BuildCountTables() {
    if (tableSize != 0)
        return;
    tableSize = countTableSize;
    vertexCounts = new int32_t[tableSize];
    edgeCounts = new int32_t[tableSize];
    faceCounts = new int32_t[tableSize];
    for (int32_t k = 0; k < tableSize; ++k) {
        vertexCounts[k] = k == 0 ? 1 : 2 * vertexCounts[k - 1];
        edgeCounts[k] = k < 2 ? k : 2 * edgeCounts[k - 1] + vertexCounts[k - 1];
        faceCounts[k] = k < 2 ? 0 : (k == 2 ? 1 : 2 * faceCounts[k - 1] + edgeCounts[k - 1]);
    }
}

void HypercubeModel::Build(int32_t n) {
    if (!BuildGeometry(n))
        return;
    faceLabels.Resize(faceCount);
}

void HypercubeModel::BuildWithoutLabels(int32_t n) {
    if (!BuildGeometry(n))
        return;
    faceLabels.Clear();
}

bool HypercubeModel::BuildGeometry(int32_t n) {
    if (tableSize == 0 || n < 2 || n >= tableSize)
        return false;
    // Freed whenever present, not only when the owner has marked the model built, so that two
    // builds in a row without the owner's flag in between leak nothing.
    delete[] vertices;
    delete[] edges;
    delete[] faces;

    dimension = n;
    vertexCount = vertexCounts[n];
    edgeCount = edgeCounts[n];
    faceCount = faceCounts[n];
    vertices = new float[static_cast<size_t>(vertexCount) * dimension]();
    edges = new CubeEdge[edgeCount];
    faces = new CubeFace[faceCount];

    // Stage 0 is the single vertex at the origin and adds nothing.
    for (int32_t k = 0; k <= n; ++k) {
        AddVertices(k);
        AddEdges(k);
        AddFaces(k);
    }
    const float half = edgeLength * 0.5f;
    for (int64_t i = 0, total = static_cast<int64_t>(vertexCount) * dimension; i < total; ++i)
        vertices[i] -= half;

    // The face pass fills and sorts it every frame; only its size matters here.
    delete[] drawOrder;
    drawOrder = new int32_t[faceCount]();
    return true;
}

// The upper half of the k-cube's vertices is the (k - 1)-cube moved one edge length along axis
// k - 1, so bit k - 1 of a vertex index says which side of that axis the vertex lies on.
void HypercubeModel::AddVertices(int32_t k) {
    if (k < 1)
        return;
    const int32_t h = vertexCounts[k - 1];
    for (int32_t v = h; v < 2 * h; ++v) {
        const float* lower = Vertex(v - h);
        float* upper = Vertex(v);
        for (int32_t c = 0; c <= k - 2; ++c)
            upper[c] = lower[c];
        upper[k - 1] = edgeLength;
    }
}

// The (k - 1)-cube's edges copied into the upper half, then one joining edge per lower vertex.
void HypercubeModel::AddEdges(int32_t k) {
    if (k < 1)
        return;
    if (k == 1) {
        edges[0] = {0, 1};
        return;
    }
    const int32_t e = edgeCounts[k - 1];
    const int32_t h = vertexCounts[k - 1];
    for (int32_t t = 0; t < e; ++t)
        edges[e + t] = {edges[t].first + h, edges[t].second + h};
    for (int32_t c = 0; c < h; ++c)
        edges[2 * e + c] = {c, c + h};
}

// The (k - 1)-cube's faces copied into the upper half, then one face swept from each of its edges.
// The k = 2 face is that sweep applied to the single edge of the 1-cube.
void HypercubeModel::AddFaces(int32_t k) {
    if (k < 2)
        return;
    const int32_t f = faceCounts[k - 1];
    const int32_t e = edgeCounts[k - 1];
    for (int32_t t = 0; t < f; ++t) {
        const CubeFace& lower = faces[t];
        faces[f + t] = {lower.base + e, lower.copy + e, lower.firstJoin + e, lower.secondJoin + e};
    }
    for (int32_t c = 0; c < e; ++c)
        faces[2 * f + c] = {c, c + e, 2 * e + edges[c].first, 2 * e + edges[c].second};
}

void HypercubeModel::Release() {
    delete[] vertexCounts;
    delete[] edgeCounts;
    delete[] faceCounts;
    delete[] vertices;
    delete[] edges;
    delete[] faces;
    delete[] drawOrder;
    faceLabels.Clear();
    vertexCounts = edgeCounts = faceCounts = nullptr;
    vertices = nullptr;
    edges = nullptr;
    faces = nullptr;
    drawOrder = nullptr;
    tableSize = 0;
    dimension = vertexCount = edgeCount = faceCount = 0;
}

void HypercubeModel::RotatePlane(int32_t a, int32_t b, float angle) {
    if (dimension < 2 || dimension > 15 || a < 0 || a >= dimension || b < 0 || b >= dimension || a == b)
        return;
    const PlaneTurn<float> turn(angle);
    for (int32_t v = 0; v < vertexCount; ++v) {
        float* point = Vertex(v);
        turn.Apply(point[a], point[b]);
    }
}
