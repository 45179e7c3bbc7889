// libFuzzer target: the fuzzer's bytes choose window messages exactly as the monkey test's random
// streams do, and they go through the real window procedure and frame step of one running viewer.
// An invariant that fails aborts, so the fuzzer keeps the input that broke it. At exit the target
// prints how many messages it has dispatched in all.
#include "tests/reliability/MonkeyDriver.h"

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "fuzz/support/FuzzProgram.h"
#include "hypercube/CTessary.h"

#include <cstdio>
#include <cstdlib>

namespace {

long totalMessages = 0;
long totalInputs = 0;
long totalFrames = 0;

void Report() {
    std::fprintf(stderr, "fuzz_messages: %ld inputs, %ld messages dispatched, %ld frames drawn\n",
                 totalInputs, totalMessages, totalFrames);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!application) {
        fuzz_program::StartOnce("fuzz_messages");
        std::atexit(Report);
    }
    // Every input gets a new hypercube screen and a clean input state.
    CTessary* viewer = MonkeyDriver::FreshViewer(application->screenManager);
    ByteDecisions decisions(data, size);
    MonkeyDriver driver(viewer, decisions);
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
