// libFuzzer target: the fuzzer's bytes are read as a view's text. What the reader accepts is shown
// on one running viewer, and must then come back: the view taken from the screen is written as text
// that reads again, and the accepted text, written again, reads to the same view. A view the reader
// refuses must leave its target untouched. Any broken rule aborts, so the fuzzer keeps the input.
#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"
#include "platform/PlatformTesting.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The program is started once and its one screen kept: applying a view of the dimension already
// built only turns the vertices, so most inputs cost no texture work.
CTessary* StartOnce() {
    if (!application) {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        platform_testing::SuppressSystemDialogs(true);
        platform_testing::SetManualTicks(1000);
        if (!CreateMainWindow(GetModuleHandleW(nullptr), false)) {
            std::fprintf(stderr, "fuzz_view: no window\n");
            std::abort();
        }
        application = new AppContext(); // owned until exit
        InitScene();
    }
    return static_cast<CTessary*>(application->screenManager->ActiveScreen());
}

void Require(bool held, const char* rule, const std::string& text) {
    if (held)
        return;
    std::fprintf(stderr, "fuzz_view: %s for \"%s\"\n", rule, text.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CTessary* screen = StartOnce();
    const std::string text(reinterpret_cast<const char*>(data), size);
    View view;
    view.dimension = 3;
    const std::string before = ViewText::Format(view);
    std::string reason;
    if (!ViewText::Parse(text, &view, &reason)) {
        Require(!reason.empty() && reason.find('\n') == std::string::npos, "a refusal without one line",
                text);
        Require(ViewText::Format(view) == before, "a refused view changed its target", text);
        return 0;
    }
    View again;
    Require(ViewText::Parse(ViewText::Format(view), &again, &reason),
            "an accepted view wrote unreadable text", text);
    Require(ViewText::Format(again) == ViewText::Format(view), "a view read back differently", text);
    Require(ScreenView::Apply(*screen, view, &reason), "an accepted view was not applied", text);
    View shown;
    Require(ViewText::Parse(ViewText::Format(ScreenView::Capture(*screen)), &shown, &reason),
            "the screen's view wrote unreadable text", text);
    Require(shown.dimension == view.dimension && shown.wireframe == view.wireframe,
            "the screen shows another dimension or mode", text);
    DrawFrame();
    return 0;
}
