#include "page/AnimationCommands.h"

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewPath.h"
#include "hypercube/ViewText.h"
#include "page/ViewCommands.h"

#include <optional>
#include <string>

namespace {

// The animation going, if any: its way and the last view as its text was read, and that text.
struct Animation {
    ViewPath path;
    CheckedView last;
    std::string lastText;
};
std::optional<Animation> animation;

// The answer of the last call, kept until the next one. Its names are its own: the sanitizer
// build's unity sources join this file with the other commands'.
std::string animationAnswer;

const char* AnimationAnswer(std::string text) {
    animationAnswer = std::move(text);
    return animationAnswer.c_str();
}

} // namespace

const char* tessary_animation_start(const char* text) {
    CheckedView last;
    std::string reason;
    if (!ViewText::Parse(text ? text : "", &last, &reason))
        return AnimationAnswer("unreadable: " + reason);
    if (!CTessary::Active())
        return AnimationAnswer("not started: the program has not started yet");
    if (application->screenManager->messageBoxOpen)
        return AnimationAnswer("busy: a message box is open");
    // The view shown now, as taking it for a link settles it: the way starts where the screen is.
    View first;
    if (!ViewText::Parse(ScreenView::Settle(*CTessary::Active()), &first, nullptr))
        first = ScreenView::Capture(*CTessary::Active());
    animation.emplace(Animation{ViewPath(first, *last), last, std::string(text)});
    return AnimationAnswer(std::string());
}

const char* tessary_animation_step(double t) {
    if (!animation)
        return AnimationAnswer("none: no animation");
    CTessary* screen = CTessary::Active();
    if (!screen) {
        animation.reset();
        return AnimationAnswer("not started: the program has not started yet");
    }
    if (application->screenManager->messageBoxOpen) {
        animation.reset();
        return AnimationAnswer("busy: a message box is open");
    }
    std::string reason;
    t = t > 0.0 ? t : 0.0; // NaN counts as the start
    if (t >= 1.0) {
        const Animation ended = *animation;
        animation.reset();
        ScreenView::Apply(*screen, ended.last, ended.lastText, &reason);
        return AnimationAnswer(std::string());
    }
    // Every view of the way passes the check; should one not, the animation stops there.
    if (ScreenView::Apply(*screen, animation->path.At(t), &reason))
        return AnimationAnswer(std::string());
    animation.reset();
    return AnimationAnswer("refused: " + reason);
}

const char* tessary_peek_view() {
    const CTessary* screen = CTessary::Active();
    return AnimationAnswer(screen ? ScreenView::Peek(*screen) : std::string());
}
