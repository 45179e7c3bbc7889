#include "app/FrameCounter.h"

#include "gui/FontSpec.h"
#include "gui/FormatWide.h"
#include "gui/TextTexture.h"
#include "platform/Win32.h"

namespace {

// Room for any 32-bit number and the terminating zero.
constexpr size_t numberCapacity = 16;

void ShowNumber(TextTexture& text, unsigned int number) {
    WCHAR digits[numberCapacity];
    FormatWide(digits, numberCapacity, L"%d", number);
    text.Render(digits);
}

} // namespace

FrameCounter::FrameCounter() {
    framesPerPeriod = 100;
    periodStart = GetTickCount();
    periodEnd = periodStart;
    framesLeft = framesPerPeriod;
    framesPerSecond = 0;

    text = new TextTexture();
    text->red = 1.0f;
    text->green = 1.0f;
    text->blue = 1.0f;
    text->alpha = 0.8f;
    text->SetFont(FontSpec::defaultFace, 9);
    ShowNumber(*text, 0);
}

FrameCounter::~FrameCounter() {
    delete text;
}

void FrameCounter::CountFrame() {
    // framesLeft counts down to the 100th frame; only then is the clock read and the text rebuilt.
    if (framesLeft > 1) {
        --framesLeft;
        return;
    }
    periodStart = periodEnd;
    const uint32_t now = GetTickCount();
    periodEnd = now;
    // Unsigned: no time passed, or the tick count wrapped, leaves the shown rate as it was.
    if (now > periodStart)
        framesPerSecond = static_cast<unsigned int>(framesPerPeriod) * 1000u / (now - periodStart);
    framesLeft = framesPerPeriod;
    ShowNumber(*text, framesPerSecond);
}
