// Ten thousand random window messages per case number through the real window procedure, with the
// program's invariants checked before every dispatched message and after every frame step.
#include "tests/reliability/MonkeyDriver.h"
#include "tests/reliability/ReliabilityFixture.h"

#include <cstdio>
#include <string>

namespace {

class MonkeyTest : public ViewerFixture, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(MonkeyTest, TenThousandRandomMessagesKeepEveryInvariantAndEscapeStillExits) {
    RandomDecisions decisions(GetParam());
    {
        MonkeyDriver driver(viewer, decisions);
        const bool held = driver.Run(10000);
        EXPECT_TRUE(held) << "case " << GetParam() << ": " << driver.Failure() << " after "
                          << driver.MessagesPosted() << " messages posted";
        EXPECT_GE(driver.MessagesPosted(), 10000);
        EXPECT_GE(driver.MessagesDispatched(), driver.MessagesPosted())
            << "every posted message was dispatched";
        std::printf("case %u: %ld messages posted, %ld dispatched, %ld frames, %ld boxes answered by the "
                    "driver, final dimension %d\n",
                    GetParam(), driver.MessagesPosted(), driver.MessagesDispatched(), driver.FramesStepped(),
                    driver.BoxesAnswered(), viewer->model.dimension);
    }

    // Escape was never pressed; now it is, with the window active again, and the program ends with 0.
    Post(WM_ACTIVATEAPP, 1);
    Post(WM_KEYDOWN, VK_ESCAPE);
    int exitCode = -1;
    EXPECT_FALSE(DrainMessages(&exitCode)) << "Escape quits";
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(IsWindow(mainWindow));
}

INSTANTIATE_TEST_SUITE_P(FixedCaseNumbers, MonkeyTest, ::testing::Values(1u, 2u, 3u, 20261207u),
                         [](const ::testing::TestParamInfo<uint32_t>& info) {
                             return "Case" + std::to_string(info.param);
                         });

} // namespace
