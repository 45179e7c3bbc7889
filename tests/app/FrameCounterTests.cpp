// The frame counter: one measurement and one new text every 100 frames.
#include "app/FrameCounter.h"
#include "gui/TextCanvas.h"
#include "gui/TextTexture.h"
#include "platform/core/PlatformTesting.h"
#include "tests/support/GlTestContext.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class FrameCounterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(context.Ok()) << "no OpenGL context";
        platform_testing::SetManualTicks(start);
        counter = std::make_unique<FrameCounter>();
    }
    void TearDown() override {
        counter.reset();
        platform_testing::UseRealTicks();
    }

    // The texture of `text` rendered afresh in the counter's font.
    static std::vector<uint8_t> Expected(const WCHAR* text, int& width) {
        TextTexture fresh;
        fresh.SetFont(L"宋体", 9);
        fresh.Render(text);
        width = fresh.textWidth;
        return ReadTexture(fresh.textureName, fresh.textureWidth, fresh.textureHeight);
    }
    std::vector<uint8_t> Shown() const {
        return ReadTexture(counter->text->textureName, counter->text->textureWidth,
                           counter->text->textureHeight);
    }
    void Frames(int count, uint32_t millisecondsEach) {
        for (int i = 0; i < count; ++i) {
            platform_testing::AdvanceTicks(millisecondsEach);
            counter->CountFrame();
        }
    }

    static constexpr uint32_t start = 5000;
    GlTestContext context;
    std::unique_ptr<FrameCounter> counter;
};

TEST_F(FrameCounterTest, ShowsZeroInWhiteAtEightyPercentAfterConstruction) {
    EXPECT_EQ(counter->framesPerPeriod, 100);
    EXPECT_EQ(counter->framesLeft, 100);
    EXPECT_EQ(counter->framesPerSecond, 0u);
    EXPECT_EQ(counter->periodStart, start);
    EXPECT_EQ(counter->periodEnd, start);
    int width = 0;
    const std::vector<uint8_t> zero = Expected(L"0", width);
    EXPECT_GT(counter->text->textWidth, 0);
    EXPECT_EQ(counter->text->textWidth, width);
    EXPECT_EQ(Shown(), zero);
    EXPECT_FLOAT_EQ(counter->text->red, 1.0f);
    EXPECT_FLOAT_EQ(counter->text->green, 1.0f);
    EXPECT_FLOAT_EQ(counter->text->blue, 1.0f);
    EXPECT_FLOAT_EQ(counter->text->alpha, 0.8f);
    EXPECT_FALSE(counter->text->inverted);
}

TEST_F(FrameCounterTest, HundredFramesInTwoSecondsShowFifty) {
    const HBITMAP firstBitmap = counter->text->canvas->bitmap;
    const std::vector<uint8_t> zero = Shown();
    Frames(99, 20);
    EXPECT_EQ(counter->framesPerSecond, 0u);
    EXPECT_EQ(counter->framesLeft, 1);
    EXPECT_EQ(counter->periodEnd, start) << "the clock is read only on the 100th frame";
    EXPECT_EQ(counter->text->canvas->bitmap, firstBitmap) << "no render before the 100th frame";
    EXPECT_EQ(Shown(), zero);

    Frames(1, 20);
    EXPECT_EQ(counter->framesPerSecond, 50u);
    EXPECT_EQ(counter->periodStart, start);
    EXPECT_EQ(counter->periodEnd, start + 2000);
    EXPECT_EQ(counter->framesLeft, 100);
    int width = 0;
    const std::vector<uint8_t> fifty = Expected(L"50", width);
    EXPECT_EQ(counter->text->textWidth, width);
    EXPECT_EQ(Shown(), fifty);

    // The next period runs at 25 frames per second, and shows it only at its end.
    const HBITMAP fiftyBitmap = counter->text->canvas->bitmap;
    Frames(99, 40);
    EXPECT_EQ(counter->text->canvas->bitmap, fiftyBitmap);
    EXPECT_EQ(counter->framesPerSecond, 50u);
    Frames(1, 40);
    EXPECT_EQ(counter->framesPerSecond, 25u);
    EXPECT_EQ(counter->periodStart, start + 2000);
    EXPECT_EQ(counter->periodEnd, start + 6000);
}

TEST_F(FrameCounterTest, HundredFramesInOneMillisecondKeepTheOldRate) {
    Frames(100, 20);
    ASSERT_EQ(counter->framesPerSecond, 50u);
    Frames(100, 0);
    EXPECT_EQ(counter->framesPerSecond, 50u);
    EXPECT_EQ(counter->periodStart, counter->periodEnd);
    int width = 0;
    EXPECT_EQ(Shown(), Expected(L"50", width));
}

TEST_F(FrameCounterTest, WrappedTickCountKeepsTheOldRateAndCarriesOn) {
    platform_testing::SetManualTicks(0xFFFFF000u);
    Frames(100, 0);
    Frames(100, 10);
    ASSERT_EQ(counter->framesPerSecond, 100u);
    // The tick count wraps during the next period: now is below the period's start.
    Frames(99, 10);
    platform_testing::SetManualTicks(5);
    counter->CountFrame();
    EXPECT_EQ(counter->framesPerSecond, 100u);
    EXPECT_EQ(counter->periodEnd, 5u);
    Frames(100, 1);
    EXPECT_EQ(counter->framesPerSecond, 1000u) << "measuring resumes from the wrapped tick count";
}

} // namespace
