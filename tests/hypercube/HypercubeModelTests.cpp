// Construction of the hypercube by doubling: counts, element order, the structure of every edge and
// face, refused dimensions and rebuilding. Labels need GL and are tested in FaceLabelsTest.
#include "hypercube/HypercubeModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace {

struct CountRow {
    int32_t vertices;
    int32_t edges;
    int32_t faces;
};

// Dimensions 0 to 8 as the viewer documents them.
constexpr CountRow documentedCounts[] = {
    {1, 0, 0},    {2, 1, 0},      {4, 4, 1},       {8, 12, 6},        {16, 32, 24},
    {32, 80, 80}, {64, 192, 240}, {128, 448, 672}, {256, 1024, 1792},
};

// The corners of face m in drawing order: base.first, base.second, copy.second, copy.first.
std::array<int32_t, 4> Corners(const HypercubeModel& model, int32_t m) {
    const CubeEdge& base = model.edges[model.faces[m].base];
    const CubeEdge& copy = model.edges[model.faces[m].copy];
    return {base.first, base.second, copy.second, copy.first};
}

std::vector<float> VertexSnapshot(const HypercubeModel& model) {
    return std::vector<float>(model.vertices, model.vertices + model.vertexCount * model.dimension);
}

// Coordinate c of vertex v of an unrotated cube is +25 when bit c of v is set, -25 otherwise.
void ExpectAxisAligned(const HypercubeModel& model) {
    for (int32_t v = 0; v < model.vertexCount; ++v)
        for (int32_t c = 0; c < model.dimension; ++c)
            ASSERT_EQ(model.Vertex(v)[c], (v >> c) & 1 ? 25.0f : -25.0f)
                << "vertex " << v << " coordinate " << c;
}

} // namespace

TEST(HypercubeCountTables, MatchTheDocumentedCountsAndTheClosedFormsUpToDimension15) {
    HypercubeModel model;
    EXPECT_EQ(model.tableSize, 0);
    model.BuildCountTables();
    ASSERT_EQ(model.tableSize, 16);
    for (int32_t k = 0; k <= 8; ++k) {
        EXPECT_EQ(model.vertexCounts[k], documentedCounts[k].vertices) << "k = " << k;
        EXPECT_EQ(model.edgeCounts[k], documentedCounts[k].edges) << "k = " << k;
        EXPECT_EQ(model.faceCounts[k], documentedCounts[k].faces) << "k = " << k;
    }
    for (int32_t k = 3; k < 16; ++k) {
        EXPECT_EQ(model.vertexCounts[k], 1 << k) << "k = " << k;
        EXPECT_EQ(model.edgeCounts[k], k * (1 << (k - 1))) << "k = " << k;
        EXPECT_EQ(model.faceCounts[k], k * (k - 1) * (1 << (k - 3))) << "k = " << k;
    }
}

TEST(HypercubeCountTables, SecondCallChangesNothing) {
    HypercubeModel model;
    model.BuildCountTables();
    int32_t* vertexCounts = model.vertexCounts;
    int32_t* edgeCounts = model.edgeCounts;
    int32_t* faceCounts = model.faceCounts;
    const std::vector<int32_t> before(faceCounts, faceCounts + 16);
    model.BuildCountTables();
    EXPECT_EQ(model.tableSize, 16);
    EXPECT_EQ(model.vertexCounts, vertexCounts);
    EXPECT_EQ(model.edgeCounts, edgeCounts);
    EXPECT_EQ(model.faceCounts, faceCounts);
    EXPECT_EQ(std::vector<int32_t>(model.faceCounts, model.faceCounts + 16), before);
}

TEST(HypercubeModelConstruction, StartsEmptyWithEdgeLength50AndNotBuilt) {
    HypercubeModel model;
    EXPECT_EQ(model.edgeLength, 50.0f);
    EXPECT_FALSE(model.built);
    EXPECT_EQ(model.dimension, 0);
    EXPECT_EQ(model.vertexCount, 0);
    EXPECT_EQ(model.edgeCount, 0);
    EXPECT_EQ(model.faceCount, 0);
    EXPECT_EQ(model.vertices, nullptr);
    EXPECT_EQ(model.edges, nullptr);
    EXPECT_EQ(model.faces, nullptr);
    EXPECT_EQ(model.drawOrder, nullptr);
    EXPECT_EQ(model.faceLabels.Count(), 0);
}

// Every dimension the viewer offers, and 2, which only the model accepts.
class HypercubeStructure : public ::testing::TestWithParam<int32_t> {};

TEST_P(HypercubeStructure, CountsEqualTheTables) {
    const int32_t n = GetParam();
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(n);
    EXPECT_EQ(model.dimension, n);
    EXPECT_EQ(model.vertexCount, documentedCounts[n].vertices);
    EXPECT_EQ(model.edgeCount, documentedCounts[n].edges);
    EXPECT_EQ(model.faceCount, documentedCounts[n].faces);
    EXPECT_NE(model.drawOrder, nullptr);
    EXPECT_FALSE(model.built) << "only the owner marks the model built";
}

TEST_P(HypercubeStructure, VertexCoordinatesFollowTheBitsOfTheIndex) {
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(GetParam());
    ExpectAxisAligned(model);
}

TEST_P(HypercubeStructure, EveryEdgeJoinsIndicesDifferingInOneBitSmallerFirstAndNoneRepeats) {
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(GetParam());
    std::set<std::pair<int32_t, int32_t>> seen;
    for (int32_t i = 0; i < model.edgeCount; ++i) {
        const CubeEdge& edge = model.edges[i];
        ASSERT_GE(edge.first, 0) << "edge " << i;
        ASSERT_LT(edge.second, model.vertexCount) << "edge " << i;
        EXPECT_LT(edge.first, edge.second) << "edge " << i;
        EXPECT_EQ(std::popcount(static_cast<uint32_t>(edge.first ^ edge.second)), 1)
            << "edge " << i << " = (" << edge.first << ", " << edge.second << ")";
        EXPECT_TRUE(seen.insert({edge.first, edge.second}).second)
            << "edge " << i << " = (" << edge.first << ", " << edge.second << ") repeats";
    }
}

TEST_P(HypercubeStructure, EveryFaceIsASquareInCornerOrderAndNoneRepeats) {
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(GetParam());
    std::set<std::array<int32_t, 4>> seen;
    for (int32_t m = 0; m < model.faceCount; ++m) {
        const CubeFace& face = model.faces[m];
        for (int32_t e : {face.base, face.copy, face.firstJoin, face.secondJoin})
            ASSERT_TRUE(e >= 0 && e < model.edgeCount) << "face " << m << " edge " << e;
        const std::array<int32_t, 4> corners = Corners(model, m);
        std::array<int32_t, 4> sorted = corners;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end())
            << "face " << m << " touches fewer than four vertices";
        for (int32_t i = 0; i < 4; ++i) {
            const uint32_t step = static_cast<uint32_t>(corners[i] ^ corners[(i + 1) % 4]);
            EXPECT_EQ(std::popcount(step), 1) << "face " << m << " corners " << corners[i] << " and "
                                              << corners[(i + 1) % 4] << " are not adjacent";
        }
        // The joining edges are the square's other two sides.
        EXPECT_EQ(model.edges[face.firstJoin].first, std::min(corners[0], corners[3])) << "face " << m;
        EXPECT_EQ(model.edges[face.firstJoin].second, std::max(corners[0], corners[3])) << "face " << m;
        EXPECT_EQ(model.edges[face.secondJoin].first, std::min(corners[1], corners[2])) << "face " << m;
        EXPECT_EQ(model.edges[face.secondJoin].second, std::max(corners[1], corners[2])) << "face " << m;
        EXPECT_TRUE(seen.insert(sorted).second) << "face " << m << " repeats";
    }
}

INSTANTIATE_TEST_SUITE_P(Dimensions2To8, HypercubeStructure, ::testing::Range(2, 9));

TEST(HypercubeWorkedExample, ThreeCubeHasTheDocumentedVerticesEdgesAndFacesInOrder) {
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(3);

    const float expectedVertices[8][3] = {{-25, -25, -25}, {25, -25, -25}, {-25, 25, -25}, {25, 25, -25},
                                          {-25, -25, 25},  {25, -25, 25},  {-25, 25, 25},  {25, 25, 25}};
    ASSERT_EQ(model.vertexCount, 8);
    for (int32_t v = 0; v < 8; ++v)
        for (int32_t c = 0; c < 3; ++c)
            EXPECT_EQ(model.Vertex(v)[c], expectedVertices[v][c]) << "vertex " << v << " coordinate " << c;

    const int32_t expectedEdges[12][2] = {{0, 1}, {2, 3}, {0, 2}, {1, 3}, {4, 5}, {6, 7},
                                          {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    ASSERT_EQ(model.edgeCount, 12);
    for (int32_t i = 0; i < 12; ++i) {
        EXPECT_EQ(model.edges[i].first, expectedEdges[i][0]) << "edge " << i;
        EXPECT_EQ(model.edges[i].second, expectedEdges[i][1]) << "edge " << i;
    }

    const int32_t expectedFaces[6][4] = {{0, 1, 2, 3},   {4, 5, 6, 7},  {0, 4, 8, 9},
                                         {1, 5, 10, 11}, {2, 6, 8, 10}, {3, 7, 9, 11}};
    const std::array<int32_t, 4> expectedCorners[6] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                                       {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
    ASSERT_EQ(model.faceCount, 6);
    for (int32_t m = 0; m < 6; ++m) {
        const CubeFace& face = model.faces[m];
        EXPECT_EQ(face.base, expectedFaces[m][0]) << "face " << m;
        EXPECT_EQ(face.copy, expectedFaces[m][1]) << "face " << m;
        EXPECT_EQ(face.firstJoin, expectedFaces[m][2]) << "face " << m;
        EXPECT_EQ(face.secondJoin, expectedFaces[m][3]) << "face " << m;
        EXPECT_EQ(Corners(model, m), expectedCorners[m]) << "face " << m;
    }
}

TEST(HypercubeWorkedExample, TwoCubeIsOneSquareOfEdges0To3) {
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(2);
    ASSERT_EQ(model.faceCount, 1);
    EXPECT_EQ(model.faces[0].base, 0);
    EXPECT_EQ(model.faces[0].copy, 1);
    EXPECT_EQ(model.faces[0].firstJoin, 2);
    EXPECT_EQ(model.faces[0].secondJoin, 3);
    EXPECT_EQ(Corners(model, 0), (std::array<int32_t, 4>{0, 1, 3, 2}));
}

TEST(HypercubeWorkedExample, FourCubeCopiesAndJoinsTheThreeCube) {
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(4);

    const int32_t copiedEdges[4][2] = {{8, 9}, {10, 11}, {8, 10}, {9, 11}};
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(model.edges[12 + i].first, copiedEdges[i][0]) << "edge " << 12 + i;
        EXPECT_EQ(model.edges[12 + i].second, copiedEdges[i][1]) << "edge " << 12 + i;
    }
    for (int32_t c = 0; c < 8; ++c) {
        EXPECT_EQ(model.edges[24 + c].first, c) << "edge " << 24 + c;
        EXPECT_EQ(model.edges[24 + c].second, c + 8) << "edge " << 24 + c;
    }
    for (int32_t t = 0; t < 6; ++t) {
        EXPECT_EQ(model.faces[6 + t].base, model.faces[t].base + 12) << "face " << 6 + t;
        EXPECT_EQ(model.faces[6 + t].copy, model.faces[t].copy + 12) << "face " << 6 + t;
        EXPECT_EQ(model.faces[6 + t].firstJoin, model.faces[t].firstJoin + 12) << "face " << 6 + t;
        EXPECT_EQ(model.faces[6 + t].secondJoin, model.faces[t].secondJoin + 12) << "face " << 6 + t;
    }
    EXPECT_EQ(model.faces[12].base, 0);
    EXPECT_EQ(model.faces[12].copy, 12);
    EXPECT_EQ(model.faces[12].firstJoin, 24);
    EXPECT_EQ(model.faces[12].secondJoin, 25);
}

TEST(HypercubeRefusedBuild, DimensionsOutside2To15LeaveThePreviousModel) {
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(3);
    const float* vertices = model.vertices;
    const CubeEdge* edges = model.edges;
    const CubeFace* faces = model.faces;
    const int32_t* drawOrder = model.drawOrder;
    const std::vector<float> before = VertexSnapshot(model);
    for (int32_t n : {1, 0, 16, -1, 100}) {
        model.Build(n);
        EXPECT_EQ(model.dimension, 3) << "Build(" << n << ")";
        EXPECT_EQ(model.vertexCount, 8) << "Build(" << n << ")";
        EXPECT_EQ(model.edgeCount, 12) << "Build(" << n << ")";
        EXPECT_EQ(model.faceCount, 6) << "Build(" << n << ")";
        EXPECT_EQ(model.vertices, vertices) << "Build(" << n << ")";
        EXPECT_EQ(model.edges, edges) << "Build(" << n << ")";
        EXPECT_EQ(model.faces, faces) << "Build(" << n << ")";
        EXPECT_EQ(model.drawOrder, drawOrder) << "Build(" << n << ")";
        EXPECT_EQ(VertexSnapshot(model), before) << "Build(" << n << ")";
    }
}

TEST(HypercubeRefusedBuild, NothingIsBuiltBeforeTheCountTablesExist) {
    HypercubeModel model;
    model.Build(3);
    model.BuildWithoutLabels(3);
    EXPECT_EQ(model.dimension, 0);
    EXPECT_EQ(model.vertexCount, 0);
    EXPECT_EQ(model.vertices, nullptr);
    EXPECT_EQ(model.edges, nullptr);
    EXPECT_EQ(model.faces, nullptr);
    EXPECT_EQ(model.drawOrder, nullptr);
    EXPECT_EQ(model.faceLabels.Count(), 0);
}

TEST(HypercubeRebuild, RestoresTheAxisAlignedCubeAfterRotation) {
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(4);
    model.built = true;
    model.RotatePlane(0, 3, 0.7f);
    model.RotatePlane(1, 2, -1.3f);
    ASSERT_NE(model.Vertex(1)[0], 25.0f);
    model.BuildWithoutLabels(4);
    EXPECT_TRUE(model.built) << "the model leaves the owner's flag alone";
    ExpectAxisAligned(model);
}

TEST(HypercubeRebuild, ChangesDimensionBothWays) {
    HypercubeModel model;
    model.BuildCountTables();
    for (int32_t n : {6, 3, 8, 2, 5}) {
        model.BuildWithoutLabels(n);
        model.built = true;
        ASSERT_EQ(model.dimension, n);
        EXPECT_EQ(model.faceCount, documentedCounts[n].faces);
        ExpectAxisAligned(model);
    }
}

TEST(HypercubeRelease, FreesEveryArrayAndMayBeRepeated) {
    HypercubeModel model;
    model.BuildCountTables();
    model.BuildWithoutLabels(5);
    model.Release();
    EXPECT_EQ(model.vertexCounts, nullptr);
    EXPECT_EQ(model.edgeCounts, nullptr);
    EXPECT_EQ(model.faceCounts, nullptr);
    EXPECT_EQ(model.vertices, nullptr);
    EXPECT_EQ(model.edges, nullptr);
    EXPECT_EQ(model.faces, nullptr);
    EXPECT_EQ(model.drawOrder, nullptr);
    EXPECT_EQ(model.faceLabels.Count(), 0);
    EXPECT_EQ(model.vertexCount, 0) << "nothing may walk the freed arrays";
    model.Release();
    model.Build(3);
    EXPECT_EQ(model.vertices, nullptr) << "without tables a build is refused";
}
