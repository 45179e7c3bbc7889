// Repeated work must give back everything it takes: message boxes opened and closed, the hypercube
// rebuilt, text textures made and destroyed. Each test warms up first (font caches, driver pools),
// then compares the platform layer's live objects, the GL textures and the resident set size. The
// sanitizer build makes fewer rounds (tests/support/LongRuns.h).
#include "gui/FormatWide.h"
#include "tests/reliability/ReliabilityFixture.h"

#include "gui/ShowMessageBox.h"
#include "gui/TextTexture.h"
#include "tests/support/LongRuns.h"

#include <cstdio>
#include <string>

using namespace reliability;

namespace {

// Memory the allocator may keep in its free lists after a burst of work; a leak of one object per
// round would exceed it many times over.
constexpr long residentSlackKilobytes = 6 * 1024;
// Heap blocks that may legitimately stay, such as a cache entry of the font engine.
constexpr long heapSlackKilobytes = 512;

// llvmpipe keeps a pool of frame scenes that grows during the first thousand or so frames and then
// stays; the baseline is taken after it has filled. Only the resident size sees the pool, and under
// AddressSanitizer that is not compared.
void FillDriverPools() {
    if (underAddressSanitizer)
        return;
    for (int i = 0; i < 2500; ++i)
        PresentFrame();
}

class ResourceTest : public ViewerFixture {
protected:
    void ExpectReturnedTo(const Resources& before, const char* what) {
        const Resources after = MeasureResources();
        std::printf("%s\n  before: %s\n  after:  %s\n", what, Describe(before).c_str(),
                    Describe(after).c_str());
        EXPECT_EQ(after.live.fonts, before.live.fonts) << what;
        EXPECT_EQ(after.live.deviceContexts, before.live.deviceContexts) << what;
        EXPECT_EQ(after.live.bitmaps, before.live.bitmaps) << what;
        EXPECT_EQ(after.live.brushes, before.live.brushes) << what;
        EXPECT_EQ(after.live.windows, before.live.windows) << what;
        EXPECT_EQ(after.live.glContexts, before.live.glContexts) << what;
        EXPECT_EQ(after.glTextures, before.glTextures) << what;
        // AddressSanitizer keeps freed memory in quarantine on purpose; LeakSanitizer checks there.
        if (!underAddressSanitizer) {
            EXPECT_LE(after.heapKilobytes, before.heapKilobytes + heapSlackKilobytes) << what;
            EXPECT_LE(after.residentKilobytes, before.residentKilobytes + residentSlackKilobytes) << what;
        }
    }

    // Opens one box and answers it with a click already waiting in the queue.
    bool AnswerOneBox(bool withCancel, bool chooseOk) {
        const int x = !withCancel ? okAloneX : chooseOk ? okWithCancelX : cancelX;
        PostClick(x, answerY);
        return ShowMessageBox(&Manager(),
                              withCancel ? L"大于6的维度可能会渲染较慢，真的要试试？" : L"请输入3--8的维度值",
                              withCancel);
    }
};

TEST_F(ResourceTest, TenThousandMessageBoxesGiveBackEveryTextureFontAndByte) {
    FillDriverPools();
    for (int i = 0; i < 20; ++i)
        AnswerOneBox(i % 2 == 1, i % 3 == 0);
    const Resources before = MeasureResources();
    int accepted = 0;
    const int boxes = LongRunCount(10000);
    for (int i = 0; i < boxes; ++i) {
        const bool withCancel = i % 2 == 1, chooseOk = i % 3 == 0;
        const bool answer = AnswerOneBox(withCancel, chooseOk);
        ASSERT_EQ(answer, !withCancel || chooseOk) << "box " << i;
        ASSERT_FALSE(Manager().messageBoxOpen) << "box " << i;
        accepted += answer;
    }
    EXPECT_EQ(accepted, boxes / 2 + (boxes + 5) / 6);
    ExpectReturnedTo(before, (std::to_string(boxes) + " message boxes").c_str());
}

TEST_F(ResourceTest, GeneratingThreeToEightAThousandTimesKeepsOnlyTheCurrentCubesLabels) {
    FillDriverPools();
    Generate(L"8", okWithCancelX);
    Generate(L"3");
    ASSERT_EQ(viewer->model.dimension, 3);
    const Resources before = MeasureResources();
    const int generations = LongRunCount(1000, 12); // at least every dimension twice
    for (int i = 0; i < generations; ++i) {
        const wchar_t text[2] = {static_cast<wchar_t>(L'3' + i % 6), 0};
        Generate(text, okWithCancelX);
        ASSERT_EQ(viewer->model.dimension, 3 + i % 6) << "generation " << i;
    }
    Generate(L"3");
    ASSERT_EQ(viewer->model.dimension, 3);
    ExpectReturnedTo(before, (std::to_string(generations) + " generations of 3 to 8").c_str());
}

TEST_F(ResourceTest, TenThousandTextTexturesGiveBackTheirFontsBitmapsAndGlNames) {
    const WCHAR* faces[] = {L"宋体", L"黑体", L"幼圆"};
    auto makeOne = [&](int i) {
        TextTexture* texture = new TextTexture(); // owned here
        texture->SetFont(faces[i % 3], 10 + i % 11);
        WCHAR text[32];
        FormatWide(text, 32, L"面 %d", i);
        texture->Render(text);
        texture->DrawAt(0, 0);
        delete texture;
    };
    for (int i = 0; i < 30; ++i)
        makeOne(i);
    const Resources before = MeasureResources();
    const int textures = LongRunCount(10000);
    for (int i = 0; i < textures; ++i)
        makeOne(i);
    ExpectReturnedTo(before, (std::to_string(textures) + " text textures").c_str());
}

} // namespace
