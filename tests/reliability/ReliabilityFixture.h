// The running viewer in the test process (real window, AppContext, InitScene, frame step and window
// procedure), with the helpers the reliability tests share: posting clicks and field contents,
// answering message boxes, and measuring the resources the program holds.
#pragma once

#include "tests/support/AppFixture.h"

#include "gui/QV_TextBox.h"
#include "hypercube/CTessary.h"

#include <cstdint>
#include <string>

namespace reliability {

// Centres of the controls, from the panel layout and the message box layout.
constexpr int fieldX = 200, fieldY = 25;
constexpr int buttonX = 924, buttonY = 35;
constexpr int okAloneX = 512, okWithCancelX = 452, cancelX = 572, answerY = 399;

// Whether this build runs under AddressSanitizer, whose quarantine keeps freed memory resident.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool underAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool underAddressSanitizer = true;
#else
constexpr bool underAddressSanitizer = false;
#endif
#else
constexpr bool underAddressSanitizer = false;
#endif

// Texture names that are textures in the current GL context, found by asking for every name up to
// a bound well beyond any the program has been given.
int CountGlTextures();
// Resident set size of the process, in kilobytes.
long ResidentKilobytes();

// Everything a resource test compares before and after.
struct Resources {
    platform_testing::LiveObjects live;
    int glTextures = 0;
    long heapKilobytes = 0; // allocated with malloc and not freed (outside AddressSanitizer)
    long residentKilobytes = 0;
};
Resources MeasureResources();
std::string Describe(const Resources& resources);

} // namespace reliability

class ViewerFixture : public AppFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    void Step(int frames = 1) {
        for (int i = 0; i < frames; ++i)
            ASSERT_TRUE(FrameStep()) << "the program quit unexpectedly";
    }
    static void PostClick(int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP);
    // Replaces the field's contents as a user would: click, Backspace over everything, type.
    void PostFieldText(const wchar_t* text);
    // Types `text` into the field, presses the button and answers a box at the given x, if one opens.
    void Generate(const wchar_t* text, int answerX = reliability::okWithCancelX);

    CTessary* viewer = nullptr;
};
