#include "page/TourCommands.h"

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"
#include "page/PageAnswer.h"
#include "page/Refusal.h"
#include "tour/Tour.h"
#include "tour/TourReader.h"

#include <optional>
#include <string>

namespace {

// The page has no rate of its own: durations in frames are frames of a clip at the command line's
// default rate, so that "48f" lasts as long as in such a clip.
constexpr double pageRate = 30.0;

std::optional<Tour> tour;
double tourSeconds = 0.0;

// The name is this file's own: the sanitizer build's unity sources join the page's commands.
constexpr auto TourAnswer = &PageAnswer::Keep;

} // namespace

const char* tessary_tour_start(const char* text) {
    std::vector<TourStep> steps;
    std::string reason;
    if (!TourReader::Read(text ? text : "", &steps, &reason))
        return PageAnswer::Refuse(Refusal::unreadable, reason);
    CTessary* screen = CTessary::Active();
    if (!screen)
        return PageAnswer::Refuse(Refusal::notStarted, Refusal::noScreen);
    if (application->screenManager->messageBoxOpen)
        return PageAnswer::Refuse(Refusal::busy, Refusal::boxOpen);
    // The tour starts where the screen is, as a link of the view shown would open it.
    CheckedView start;
    if (!ViewText::Parse(ScreenView::Settle(*screen), &start, nullptr) &&
        !CheckedView::Check(ScreenView::Capture(*screen), &start, &reason))
        return PageAnswer::Refuse(Refusal::failed, reason);
    Tour timed;
    if (!Tour::Make(steps, start, pageRate, false, &timed, &reason))
        return PageAnswer::Refuse(Refusal::unreadable, reason);
    tour = std::move(timed);
    tourSeconds = tour->Seconds();
    return TourAnswer(std::string());
}

double tessary_tour_seconds() {
    return tourSeconds;
}

const char* tessary_tour_step(double seconds) {
    if (!tour)
        return PageAnswer::Refuse(Refusal::notStarted, "no tour is going");
    CTessary* screen = CTessary::Active();
    if (!screen) {
        tour.reset();
        return PageAnswer::Refuse(Refusal::notStarted, Refusal::noScreen);
    }
    if (application->screenManager->messageBoxOpen) {
        tour.reset();
        return PageAnswer::Refuse(Refusal::busy, Refusal::boxOpen);
    }
    seconds = seconds > 0.0 ? seconds : 0.0; // NaN counts as the start
    if (seconds >= tour->Seconds()) {
        // The end as its text reads, which the screen then keeps: the page's view is then the very
        // text of the clip's last frame.
        const std::string text = ViewText::Format(tour->End());
        tour.reset();
        CheckedView end;
        std::string reason;
        if (ViewText::Parse(text, &end, &reason) && ScreenView::Apply(*screen, end, text, &reason))
            return TourAnswer(std::string());
        return PageAnswer::Refuse(Refusal::failed, reason);
    }
    int step = 0;
    ScreenView::Show(*screen, tour->ViewAt(seconds, &step));
    return TourAnswer(std::string());
}
