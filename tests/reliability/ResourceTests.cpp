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
    static void ExpectSameObjects(const Resources& before, const Resources& after, const char* what) {
        EXPECT_EQ(after.live.fonts, before.live.fonts) << what;
        EXPECT_EQ(after.live.deviceContexts, before.live.deviceContexts) << what;
        EXPECT_EQ(after.live.bitmaps, before.live.bitmaps) << what;
        EXPECT_EQ(after.live.brushes, before.live.brushes) << what;
        EXPECT_EQ(after.live.windows, before.live.windows) << what;
        EXPECT_EQ(after.live.glContexts, before.live.glContexts) << what;
        EXPECT_EQ(after.glTextures, before.glTextures) << what;
    }

    void ExpectReturnedTo(const Resources& before, const char* what) {
        const Resources after = MeasureResources();
        std::printf("%s\n  before: %s\n  after:  %s\n", what, Describe(before).c_str(),
                    Describe(after).c_str());
        ExpectSameObjects(before, after, what);
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

// A leak shows as a rate. After the warm-up the boxes run in rounds: every round ends with the same
// platform objects and GL textures as the start, and from the end of the first round (which may
// still fill a cache) to the end of the last the heap may grow by at most a few bytes a box and the
// resident size by less than a page every few boxes. Ten thousand boxes against a fixed slack of
// 512 kB caught 52 bytes a box; this catches 16 with a tenth of the boxes.
TEST_F(ResourceTest, MessageBoxesInRoundsGiveBackEveryTextureFontAndByte) {
    constexpr int rounds = 4;
    constexpr long heapBytesPerBox = 16, residentBytesPerBox = 512;
    FillDriverPools();
    for (int i = 0; i < 20; ++i)
        AnswerOneBox(i % 2 == 1, i % 3 == 0);
    const Resources before = MeasureResources();
    const int perRound = LongRunCount(250, 6);
    Resources firstRound, last;
    int accepted = 0, box = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < perRound; ++i, ++box) {
            const bool withCancel = box % 2 == 1, chooseOk = box % 3 == 0;
            const bool answer = AnswerOneBox(withCancel, chooseOk);
            ASSERT_EQ(answer, !withCancel || chooseOk) << "box " << box;
            ASSERT_FALSE(Manager().messageBoxOpen) << "box " << box;
            accepted += answer;
        }
        last = MeasureResources();
        const std::string what = "after " + std::to_string(box) + " message boxes";
        std::printf("%s: %s\n", what.c_str(), Describe(last).c_str());
        ExpectSameObjects(before, last, what.c_str());
        if (round == 0)
            firstRound = last;
    }
    EXPECT_EQ(accepted, box / 2 + (box + 2) / 6); // the even boxes and the odd multiples of 3
    // AddressSanitizer keeps freed memory in quarantine on purpose; LeakSanitizer checks there.
    if (!underAddressSanitizer) {
        const long measured = static_cast<long>(rounds - 1) * perRound;
        EXPECT_LE((last.heapKilobytes - firstRound.heapKilobytes) * 1024, heapBytesPerBox * measured + 1024)
            << "heap growth over the last " << measured << " boxes: " << firstRound.heapKilobytes << " kB to "
            << last.heapKilobytes << " kB";
        EXPECT_LE((last.residentKilobytes - firstRound.residentKilobytes) * 1024,
                  residentBytesPerBox * measured)
            << "resident growth over the last " << measured << " boxes: " << firstRound.residentKilobytes
            << " kB to " << last.residentKilobytes << " kB";
    }
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
