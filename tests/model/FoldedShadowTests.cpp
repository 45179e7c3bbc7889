// Where the projection puts vertices together, the model has one ball, one strut between two balls,
// no strut of no length and no square of no area or on another square.
#include "model/FoldedShadow.h"
#include "tests/model/ModelSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(FoldedShadowTest, TheAxisAlignedFourCubeFoldsIntoACube) {
    const FoldedShadow shadow(CubeSource(4, true));
    EXPECT_EQ(shadow.Balls().size(), 8u);
    EXPECT_EQ(shadow.Struts().size(), 12u);
    EXPECT_EQ(shadow.Squares().size(), 6u);
    EXPECT_EQ(shadow.Summary(), "8 balls, 12 struts (16 vertices, 32 edges of the 4-cube)");
    // Every strut is an edge of the cube of side 50 the shadow is.
    for (const auto& [a, b] : shadow.Struts()) {
        const auto& p = shadow.Balls()[static_cast<size_t>(a)];
        const auto& q = shadow.Balls()[static_cast<size_t>(b)];
        const double length = std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]);
        EXPECT_NEAR(length, 50.0, 1e-4) << "strut " << a << "-" << b;
    }
}

// Turned in every plane of the n-cube, no two vertices meet and no square is seen edge on: nothing
// folds.
TEST(FoldedShadowTest, AViewInGeneralPositionKeepsEveryVertexEdgeAndSquare) {
    for (int n = 3; n <= 6; ++n) {
        const ModelSource source = CubeSource(n, true, EveryPlane(n), 0.37);
        const FoldedShadow shadow(source);
        EXPECT_EQ(shadow.Balls().size(), source.vertices.size()) << n;
        EXPECT_EQ(shadow.Struts().size(), source.edges.size()) << n;
        EXPECT_EQ(shadow.Squares().size(), source.squares.size()) << n;
    }
}

// A turn in a plane of the first three axes folds nothing new: the 5-cube seen along its last two
// axes is still a cube, whatever the turn.
TEST(FoldedShadowTest, StrutsAndSquaresAreEachKeptOnceAndNeverOfNoSize) {
    const FoldedShadow shadow(CubeSource(5, true, {{0, 1}}, 0.5));
    EXPECT_EQ(shadow.Balls().size(), 8u);
    EXPECT_EQ(shadow.Struts().size(), 12u);
    EXPECT_EQ(shadow.Squares().size(), 6u);
    std::set<std::array<int, 2>> struts(shadow.Struts().begin(), shadow.Struts().end());
    EXPECT_EQ(struts.size(), shadow.Struts().size()) << "a strut twice";
    for (const auto& [a, b] : shadow.Struts())
        EXPECT_LT(a, b);
}

} // namespace
