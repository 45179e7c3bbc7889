#include "page/ViewCommands.h"

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"

#include <string>

namespace {

// The answer of the last call, kept until the next one.
std::string answer;

const char* Answer(std::string text) {
    answer = std::move(text);
    return answer.c_str();
}

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
        return Answer("unreadable: " + reason);
    CTessary* screen = CTessary::Active();
    if (!screen)
        return Answer("not started: the program has not started yet");
    return Answer(ScreenView::Apply(*screen, view, text, &reason) ? std::string() : "busy: " + reason);
}
