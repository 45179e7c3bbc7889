// The n-dimensional cube of edge length 50, centred on the origin, built by doubling: the k-cube is
// the (k - 1)-cube, a translated copy of it and the edges and faces joining the two. The order in
// which vertices, edges and faces come out of that construction is relied on elsewhere: vertex
// indices encode coordinates bit by bit, and every face is labelled with its own index.
#pragma once

#include "hypercube/CubeEdge.h"
#include "hypercube/CubeFace.h"
#include "hypercube/FaceLabels.h"

#include <cstdint>

// References between the arrays are indices: edges hold vertex indices, faces hold edge indices and
// drawOrder holds face indices. A rebuild replaces every array together, and an index never dangles
// the way an address into a freed array would. Vertex(v) gives the address of vertex v's first
// coordinate, which the renderer hands to glVertex3fv: the first three coordinates are the drawn
// position.
class HypercubeModel {
public:
    HypercubeModel() = default;
    // Frees whatever Release has not freed yet. The label textures need the OpenGL context, so an
    // owner with labels calls Release (or lets the model go) while the context is still current.
    ~HypercubeModel();
    HypercubeModel(const HypercubeModel&) = delete;
    HypercubeModel& operator=(const HypercubeModel&) = delete;

    // Fills the vertex, edge and face count tables for dimensions 0 to 15; only the first call acts.
    void BuildCountTables();
    // Replaces the model with the axis-aligned n-cube, 2 <= n <= 15, and resizes faceLabels to its
    // face count (needs a current OpenGL context; labels the old cube had are kept). Any other n, or a
    // call before the count tables exist, changes nothing. The caller sets `built` afterwards.
    void Build(int32_t n);
    // The same geometry as Build(n) without label textures (faceLabels is emptied), for tests and
    // benchmarks that look only at the geometry. The program always uses Build.
    void BuildWithoutLabels(int32_t n);
    // Frees the count tables, vertices, edges, faces, drawOrder and faceLabels, in that order. The
    // counts and tableSize go back to 0 so nothing walks a freed array afterwards; `built` is the
    // caller's to clear.
    void Release();

    // Turns every vertex by `angle` radians in the plane of axes a and b, axis a towards axis b.
    // Does nothing unless 2 <= dimension <= 15, both axes exist and a != b.
    void RotatePlane(int32_t a, int32_t b, float angle);

    float* Vertex(int32_t v) { return vertices + static_cast<int64_t>(v) * dimension; }
    const float* Vertex(int32_t v) const { return vertices + static_cast<int64_t>(v) * dimension; }

    int32_t tableSize = 0;
    int32_t* vertexCounts = nullptr; // owned, tableSize entries: V(k)
    int32_t* edgeCounts = nullptr;   // owned, tableSize entries: E(k)
    int32_t* faceCounts = nullptr;   // owned, tableSize entries: F(k)
    float edgeLength = 50.0f;
    bool built = false;        // set by the owner after Build; the model never sets it
    float* vertices = nullptr; // owned, vertexCount x dimension floats, vertex by vertex
    int32_t dimension = 0;
    int32_t vertexCount = 0;
    CubeEdge* edges = nullptr; // owned, edgeCount entries
    int32_t edgeCount = 0;
    int32_t faceCount = 0;
    CubeFace* faces = nullptr;    // owned, faceCount entries
    int32_t* drawOrder = nullptr; // owned, faceCount face indices; refilled by every face pass
    // faceCount labels after Build, none after BuildWithoutLabels or Release; label m reads m.
    FaceLabels faceLabels;

private:
    // Builds vertices, edges, faces and drawOrder; false (and nothing changed) for a refused n.
    bool BuildGeometry(int32_t n);
    void AddVertices(int32_t k);
    void AddEdges(int32_t k);
    void AddFaces(int32_t k);
};
