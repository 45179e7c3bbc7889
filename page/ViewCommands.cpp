#include "page/ViewCommands.h"

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"
#include "page/PageAnswer.h"

#include <string>

namespace {

// Every command of the page's keeps its answer in the one place.
constexpr auto Answer = &PageAnswer::Keep;

} // namespace

const char* tessary_capture_view() {
    CTessary* screen = CTessary::Active();
    if (!screen)
        return Answer(std::string());
    // Settled, the screen shows exactly what the text gives whoever opens it. Settled again until
    // the text comes back unchanged, the text is also the one that opening it and taking the view
    // again gives, so a link opened and shared again is the same link. Straightening a rotation read
    // from the text can move an entry across a rounding boundary, which the first round or two
    // settle; a few rounds at most bound the loop. A round whose text comes back unchanged would
    // show the same text again, so it only takes the view: showing it costs the page's main thread
    // most of a millisecond with the 8-cube.
    std::string text = ViewText::Format(ScreenView::Settle(*screen));
    for (int round = 0; round < 4; ++round) {
        std::string again = ViewText::Format(ScreenView::Capture(*screen));
        if (again == text)
            break;
        ScreenView::Settle(*screen);
        text = std::move(again);
    }
    return Answer(text);
}

const char* tessary_apply_view(const char* text) {
    CheckedView view;
    std::string reason;
    if (!ViewText::Parse(text ? text : "", &view, &reason))
        return PageAnswer::Refuse(Refusal::unreadable, reason);
    CTessary* screen = CTessary::Active();
    if (!screen)
        return PageAnswer::Refuse(Refusal::notStarted, Refusal::noScreen);
    return ScreenView::Apply(*screen, view, &reason) ? PageAnswer::Done()
                                                     : PageAnswer::Refuse(Refusal::busy, reason);
}
