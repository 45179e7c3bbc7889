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
    // Settled, the screen shows exactly what the text gives whoever opens it, and the text stays
    // the answer until something moves.
    const std::string text = ScreenView::Settle(*screen);
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
    return ScreenView::Apply(*screen, view, text, &reason) ? PageAnswer::Done()
                                                           : PageAnswer::Refuse(Refusal::busy, reason);
}
