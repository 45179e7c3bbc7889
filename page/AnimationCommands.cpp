#include "page/AnimationCommands.h"

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewPath.h"
#include "hypercube/ViewText.h"
#include "page/PageAnswer.h"
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

// Every command of the page's keeps its answer in the one place. The name is this file's own: the
// sanitizer build's unity sources join this file with the other commands'.
constexpr auto AnimationAnswer = &PageAnswer::Keep;

} // namespace

const char* tessary_animation_start(const char* text) {
    CheckedView last;
    std::string reason;
    if (!ViewText::Parse(text ? text : "", &last, &reason))
        return PageAnswer::Refuse(Refusal::unreadable, reason);
    if (!CTessary::Active())
        return PageAnswer::Refuse(Refusal::notStarted, Refusal::noScreen);
    if (application->screenManager->messageBoxOpen)
        return PageAnswer::Refuse(Refusal::busy, Refusal::boxOpen);
    // The view shown now, as taking it for a link settles it: the way starts where the screen is.
    View first;
    if (!ViewText::Parse(ScreenView::Settle(*CTessary::Active()), &first, nullptr))
        first = ScreenView::Capture(*CTessary::Active());
    animation.emplace(Animation{ViewPath(first, *last), last, std::string(text)});
    return AnimationAnswer(std::string());
}

const char* tessary_animation_step(double t) {
    if (!animation)
        return PageAnswer::Refuse(Refusal::notStarted, "no animation is going");
    CTessary* screen = CTessary::Active();
    if (!screen) {
        animation.reset();
        return PageAnswer::Refuse(Refusal::notStarted, Refusal::noScreen);
    }
    if (application->screenManager->messageBoxOpen) {
        animation.reset();
        return PageAnswer::Refuse(Refusal::busy, Refusal::boxOpen);
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
    return PageAnswer::Refuse(Refusal::failed, reason);
}

const char* tessary_peek_view() {
    const CTessary* screen = CTessary::Active();
    return AnimationAnswer(screen ? ScreenView::Peek(*screen) : std::string());
}
