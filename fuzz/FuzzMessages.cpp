// libFuzzer target: the fuzzer's bytes choose window messages exactly as the monkey test's random
// streams do, and they go through the real window procedure and frame step of one running viewer.
// An invariant that fails aborts, so the fuzzer keeps the input that broke it. At exit the target
// prints how many messages it has dispatched in all.
#include "tests/reliability/MonkeyDriver.h"

#include "app/AppContext.h"
#include "app/InputState.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "fuzz/support/FuzzProgram.h"
#include "hypercube/CTessary.h"
#include "platform/PlatformTesting.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

long totalMessages = 0;
long totalInputs = 0;
long totalFrames = 0;

void Report() {
    std::fprintf(stderr, "fuzz_messages: %ld inputs, %ld messages dispatched, %ld frames drawn\n",
                 totalInputs, totalMessages, totalFrames);
}

// Every input gets a new hypercube screen and a clean input state. The new screen's model takes the
// old one's face labels: label m reads m whatever the cube, so they are the textures its first build
// would make. Rasterising the 8-cube's 1,792 labels again for every input that builds it took most
// of the session.
void FreshScreen() {
    platform_testing::DiscardQueuedMessages();
    inputState = InputState{};
    ScreenManager* manager = application->screenManager;
    auto* old = static_cast<CTessary*>(manager->screens[0]);
    auto* fresh = new CTessary(); // owned by the manager
    fresh->model.faceLabels = std::move(old->model.faceLabels);
    delete old;
    manager->screens[0] = fresh;
    manager->current = 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!application) {
        fuzz_program::StartOnce("fuzz_messages");
        std::atexit(Report);
    }
    FreshScreen();
    ByteDecisions decisions(data, size);
    MonkeyDriver driver(static_cast<CTessary*>(application->screenManager->ActiveScreen()), decisions);
    const bool held = driver.Run(1L << 30);
    totalMessages += driver.MessagesDispatched();
    totalFrames += driver.FramesStepped();
    ++totalInputs;
    if (!held) {
        std::fprintf(stderr, "fuzz_messages: %s after %ld messages\n", driver.Failure().c_str(),
                     driver.MessagesPosted());
        std::abort();
    }
    fuzz_program::InputDone();
    return 0;
}
