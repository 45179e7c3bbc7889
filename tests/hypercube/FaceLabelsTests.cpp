// Each face of a built model carries its own number as an inverted label texture.
#include "gui/FormatWide.h"
#include "gui/TextTexture.h"
#include "hypercube/HypercubeModel.h"
#include "platform/core/PlatformTesting.h"
#include "tests/support/GlTestContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// A label made the way the face numbers are meant to look: the rounded face at 60 points, inverted.
struct ReferenceLabel {
    explicit ReferenceLabel(const WCHAR* text) {
        texture.SetFont(L"幼圆", 60);
        texture.inverted = true;
        texture.Render(text);
    }
    TextTexture texture;
};

std::vector<uint8_t> Texels(const TextTexture& label) {
    return ReadTexture(label.textureName, label.textureWidth, label.textureHeight);
}

void ExpectSameLabel(const TextTexture& actual, const TextTexture& expected, int32_t face) {
    EXPECT_EQ(actual.textWidth, expected.textWidth) << "face " << face;
    EXPECT_EQ(actual.textHeight, expected.textHeight) << "face " << face;
    ASSERT_EQ(actual.textureWidth, expected.textureWidth) << "face " << face;
    ASSERT_EQ(actual.textureHeight, expected.textureHeight) << "face " << face;
    const std::vector<uint8_t> got = Texels(actual);
    const std::vector<uint8_t> want = Texels(expected);
    int differing = 0;
    for (size_t i = 0; i < got.size(); ++i)
        differing += std::abs(got[i] - want[i]) > 3;
    EXPECT_EQ(differing, 0) << "texel bytes of face " << face << "'s label that differ from the reference";
}

// GL texture names in use; names are handed out from 1 upwards, so a fresh one bounds the search.
int LiveTextures() {
    GLuint fresh = 0;
    glGenTextures(1, &fresh);
    glDeleteTextures(1, &fresh);
    int count = 0;
    for (GLuint name = 1; name < fresh + 1000; ++name)
        count += glIsTexture(name) ? 1 : 0;
    return count;
}

bool SameCounts(const platform_testing::LiveObjects& a, const platform_testing::LiveObjects& b) {
    return a.fonts == b.fonts && a.brushes == b.brushes && a.bitmaps == b.bitmaps &&
           a.deviceContexts == b.deviceContexts;
}

class FaceLabelTextures : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gl.Ok()) << "no offscreen GL context"; }
    GlTestContext gl;
};

} // namespace

TEST_F(FaceLabelTextures, ReferenceLabelsForDifferentNumbersDiffer) {
    // Guards the comparisons below against labels that all come out alike.
    ReferenceLabel zero(L"0");
    ReferenceLabel last(L"1791");
    EXPECT_GT(last.texture.textWidth, zero.texture.textWidth);
    const std::vector<uint8_t> texels = Texels(zero.texture);
    int cutOut = 0, opaqueWhite = 0;
    for (size_t i = 0; i < texels.size(); i += 4) {
        cutOut += texels[i + 3] == 0;
        opaqueWhite +=
            texels[i] == 255 && texels[i + 1] == 255 && texels[i + 2] == 255 && texels[i + 3] == 255;
    }
    EXPECT_GT(cutOut, 50) << "the digit is cut out of the tile";
    EXPECT_GT(opaqueWhite, static_cast<int>(texels.size() / 8)) << "the rest of the tile is opaque white";
}

TEST_F(FaceLabelTextures, EachLabelReadsItsFaceIndexUpToFace1791OfTheEightCube) {
    HypercubeModel model;
    model.BuildCountTables();
    model.Build(8);
    ASSERT_EQ(model.faceCount, 1792);
    ASSERT_EQ(model.faceLabels.Count(), model.faceCount);
    const struct {
        int32_t face;
        const WCHAR* text;
    } samples[] = {{0, L"0"}, {1, L"1"}, {10, L"10"}, {999, L"999"}, {1791, L"1791"}};
    for (const auto& sample : samples) {
        ReferenceLabel reference(sample.text);
        ExpectSameLabel(model.faceLabels[sample.face], reference.texture, sample.face);
    }
    for (int32_t m = 0; m < model.faceCount; ++m)
        ASSERT_TRUE(model.faceLabels[m].inverted) << "face " << m;
    model.Release();
}

TEST_F(FaceLabelTextures, ShrinkingAndGrowingRebuildsKeepEveryLabelReadingItsFaceAndOneTexturePerFace) {
    const int baseline = LiveTextures();
    HypercubeModel model;
    model.BuildCountTables();
    model.Build(8);
    model.Build(5);
    EXPECT_EQ(LiveTextures() - baseline, model.faceCount) << "surplus labels of the 8-cube freed";
    model.Build(7);
    ASSERT_EQ(model.faceCount, 672);
    EXPECT_EQ(LiveTextures() - baseline, model.faceCount) << "textures beyond the 7-cube's labels";
    // Faces 0 .. 79 keep the 5-cube's labels, the rest are new; all must read their own number.
    WCHAR text[16];
    for (int32_t m = 0; m < model.faceCount; ++m) {
        FormatWide(text, 16, L"%d", m);
        ReferenceLabel reference(text);
        ExpectSameLabel(model.faceLabels[m], reference.texture, m);
        if (HasFailure())
            break;
    }
    model.Release();
    EXPECT_EQ(LiveTextures(), baseline) << "textures left after Release";
}

TEST_F(FaceLabelTextures, LabelsMovedToAnotherModelAreTheOnesItsBuildUses) {
    const int baseline = LiveTextures();
    HypercubeModel first;
    first.BuildCountTables();
    first.Build(4);
    const GLuint faceZero = first.faceLabels[0].textureName;
    HypercubeModel second;
    second.BuildCountTables();
    second.faceLabels = std::move(first.faceLabels);
    EXPECT_EQ(first.faceLabels.Count(), 0) << "the store moved from";
    second.Build(5);
    ASSERT_EQ(second.faceLabels.Count(), 80);
    EXPECT_EQ(second.faceLabels[0].textureName, faceZero) << "face 0 kept the 4-cube's texture";
    EXPECT_EQ(LiveTextures() - baseline, 80) << "one texture per face of the 5-cube, none left over";
    first.Release();
    second.Release();
    EXPECT_EQ(LiveTextures(), baseline) << "textures left after Release";
}

TEST_F(FaceLabelTextures, AStoreThatKeepsItsSurplusShowsFewerAndReusesTheRestUntilCleared) {
    const int baseline = LiveTextures();
    HypercubeModel model;
    model.BuildCountTables();
    model.faceLabels.surplus = FaceLabels::Surplus::Keep;
    model.Build(5);
    const GLuint face79 = model.faceLabels[79].textureName;
    model.Build(3);
    EXPECT_EQ(model.faceLabels.Count(), 6);
    EXPECT_EQ(LiveTextures() - baseline, 80) << "the 5-cube's labels kept while the 3-cube shows six";
    model.Build(5);
    ASSERT_EQ(model.faceLabels.Count(), 80);
    EXPECT_EQ(model.faceLabels[79].textureName, face79) << "face 79 got its kept texture back";
    model.faceLabels.Clear();
    EXPECT_EQ(LiveTextures(), baseline) << "textures left after Clear";
}

TEST_F(FaceLabelTextures, RebuildsAndReleaseLeaveNoGdiObjectsBehind) {
    const platform_testing::LiveObjects baseline = platform_testing::CountLiveObjects();
    HypercubeModel model;
    model.BuildCountTables();
    model.Build(3);
    model.built = true;
    const platform_testing::LiveObjects withThreeCube = platform_testing::CountLiveObjects();
    EXPECT_GT(withThreeCube.fonts, baseline.fonts) << "each label holds a font";

    model.Build(5);
    model.Build(3);
    const platform_testing::LiveObjects rebuilt = platform_testing::CountLiveObjects();
    EXPECT_TRUE(SameCounts(rebuilt, withThreeCube))
        << "fonts " << rebuilt.fonts << " vs " << withThreeCube.fonts << ", bitmaps " << rebuilt.bitmaps
        << " vs " << withThreeCube.bitmaps << ", DCs " << rebuilt.deviceContexts << " vs "
        << withThreeCube.deviceContexts;

    model.BuildWithoutLabels(4);
    EXPECT_EQ(model.faceLabels.Count(), 0);
    EXPECT_TRUE(SameCounts(platform_testing::CountLiveObjects(), baseline))
        << "labels of the old model freed";

    model.Build(4);
    model.Release();
    const platform_testing::LiveObjects released = platform_testing::CountLiveObjects();
    EXPECT_TRUE(SameCounts(released, baseline))
        << "fonts " << released.fonts << " vs " << baseline.fonts << ", bitmaps " << released.bitmaps
        << " vs " << baseline.bitmaps << ", DCs " << released.deviceContexts << " vs "
        << baseline.deviceContexts;
}

TEST_F(FaceLabelTextures, BuildAndBuildWithoutLabelsMakeTheSameGeometry) {
    HypercubeModel labelled;
    labelled.BuildCountTables();
    labelled.Build(5);
    HypercubeModel bare;
    bare.BuildCountTables();
    bare.BuildWithoutLabels(5);
    ASSERT_EQ(labelled.vertexCount, bare.vertexCount);
    EXPECT_TRUE(std::equal(labelled.vertices, labelled.vertices + labelled.vertexCount * 5, bare.vertices));
    for (int32_t i = 0; i < bare.edgeCount; ++i) {
        EXPECT_EQ(labelled.edges[i].first, bare.edges[i].first) << "edge " << i;
        EXPECT_EQ(labelled.edges[i].second, bare.edges[i].second) << "edge " << i;
    }
    for (int32_t m = 0; m < bare.faceCount; ++m) {
        EXPECT_EQ(labelled.faces[m].base, bare.faces[m].base) << "face " << m;
        EXPECT_EQ(labelled.faces[m].copy, bare.faces[m].copy) << "face " << m;
    }
}
