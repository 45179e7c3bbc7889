#include "tour/Tour.h"

#include "export/FileKinds.h"
#include "hypercube/ViewText.h"
#include "tour/TourReader.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

// Durations in seconds become frames by a multiplication that can land a hair off a whole number
// (0.1s at 30 fps is 3.0000000000000004 frames): times this close count as equal.
constexpr double sameTime = 1e-6;
// The step of an orientation's entry in a view's text, and how far apart two cameras may be and
// still be written as the same view for the eye's (relative) and up's floats.
constexpr double textStep = 1.0 / 8388607.0;
constexpr double cameraPrecision = 1e-6;

// Starts and stops with zero speed and zero acceleration, so an eased step joins a hold or another
// step without a jump.
double Smootherstep(double f) {
    return f * f * f * (f * (f * 6.0 - 15.0) + 10.0);
}

// The angle after `elapsed` of `length` frames of a turn by `degrees`: the whole turns times the
// fraction of 2 pi, in that order, so that a whole turn in N frames gives frame k the angle
// 2 pi k / N exactly as a clip of one whole turn always has.
double Angle(double degrees, double elapsed, double length) {
    return degrees / 360.0 * (2.0 * std::numbers::pi * elapsed / length);
}

// The eye turned by `angle` about the view's up vector, at its distance; the up vector stays.
void Orbit(View& view, double angle) {
    double axis[3], norm = 0.0;
    for (int i = 0; i < 3; ++i)
        norm += double(view.up[i]) * view.up[i];
    for (int i = 0; i < 3; ++i)
        axis[i] = view.up[i] / std::sqrt(norm);
    const double e[3] = {view.eye[0], view.eye[1], view.eye[2]};
    const double c = std::cos(angle), s = std::sin(angle);
    const double along = axis[0] * e[0] + axis[1] * e[1] + axis[2] * e[2];
    const double cross[3] = {axis[1] * e[2] - axis[2] * e[1], axis[2] * e[0] - axis[0] * e[2],
                             axis[0] * e[1] - axis[1] * e[0]};
    for (int i = 0; i < 3; ++i)
        view.eye[i] = static_cast<float>(c * e[i] + s * cross[i] + (1.0 - c) * along * axis[i]);
}

// Whether two views are one view as their texts write it: the same cube and mode, every entry of
// the orientation within one step of the text, the camera within its floats' rounding.
bool SameAsText(const View& a, const View& b) {
    if (a.dimension != b.dimension || a.wireframe != b.wireframe || a.fogged != b.fogged)
        return false;
    for (int r = 0; r < a.dimension; ++r)
        for (int c = 0; c < a.dimension; ++c)
            if (std::fabs(a.At(r, c) - b.At(r, c)) > textStep)
                return false;
    const double distance = std::hypot(a.eye[0], a.eye[1], a.eye[2]);
    for (int i = 0; i < 3; ++i)
        if (std::fabs(a.eye[i] - b.eye[i]) > cameraPrecision * distance ||
            std::fabs(a.up[i] - b.up[i]) > cameraPrecision)
            return false;
    return true;
}

} // namespace

View Tour::Along(const Leg& leg, double elapsed) {
    View view = leg.from;
    switch (leg.step.kind) {
    case TourStep::Kind::turn:
        view.TurnInPlane(leg.step.low, leg.step.high, Angle(leg.step.degrees, elapsed, leg.length));
        break;
    case TourStep::Kind::orbit:
        Orbit(view, Angle(leg.step.degrees, elapsed, leg.length));
        break;
    case TourStep::Kind::to: {
        const double f = elapsed / leg.length;
        view = leg.path->At(leg.step.eased ? Smootherstep(f) : f);
        break;
    }
    case TourStep::Kind::faces:
        view.wireframe = !leg.step.faces;
        // Showing the faces switches the fog on, and it stays on, as the check box leaves it.
        view.fogged = view.fogged || leg.step.faces;
        break;
    case TourStep::Kind::hold:
        break;
    }
    return view;
}

bool Tour::Make(const std::vector<TourStep>& steps, const CheckedView& start, double fps, bool loop,
                Tour* tour, std::string* reason) {
    Tour made;
    made.fps = fps;
    const int dimension = start->dimension;
    if (dimension == 0) {
        *reason = "a tour needs a hypercube to start from (a --view with one)";
        return false;
    }
    View at = *start;
    for (const TourStep& step : steps) {
        Leg leg;
        leg.step = step;
        leg.begin = made.length;
        leg.length = step.kind == TourStep::Kind::faces ? 0.0 : step.duration.Frames(fps);
        leg.from = at;
        if (step.kind == TourStep::Kind::turn && step.high >= dimension) {
            *reason =
                TourReader::Refusal(step, "the " + std::to_string(dimension) + "-cube has the axes 0 to " +
                                              std::to_string(dimension - 1));
            return false;
        }
        if (step.kind == TourStep::Kind::to) {
            const View& target = step.toStart ? *start : step.target;
            if (target.dimension != dimension) {
                *reason =
                    TourReader::Refusal(step, "the view is of dimension " + std::to_string(target.dimension) +
                                                  "; a tour keeps its start's, " + std::to_string(dimension));
                return false;
            }
            leg.path.emplace(at, target);
        }
        leg.end = Along(leg, leg.length);
        at = leg.end;
        made.length += leg.length;
        made.legs.push_back(std::move(leg));
        // A tour longer than any clip is refused below; stopping here keeps the count finite.
        if (made.length > 1e9)
            break;
    }
    if (loop && !SameAsText(made.End(), *start)) {
        *reason = "a looping tour must end where it started; add 'to start in 2s' at its end";
        return false;
    }
    const double count = std::ceil(made.length - sameTime) + (loop ? 0 : 1);
    if (!FileKinds::clipFrames.Holds(count)) {
        char rate[32];
        std::snprintf(rate, sizeof rate, "%g", fps);
        *reason = "the tour has " +
                  (count > 1e6 ? std::string("more than a million") : std::to_string(int(count))) +
                  " frames at " + rate + " per second; a clip has " + FileKinds::clipFrames.Span();
        return false;
    }
    made.frameCount = static_cast<int>(count);
    *tour = std::move(made);
    return true;
}

View Tour::ViewAt(double seconds, int* step) const {
    return ViewAtFrame(seconds * fps, step);
}

View Tour::ViewAtFrame(double time, int* step) const {
    for (const Leg& leg : legs)
        if (leg.length > 0.0 && time < leg.begin + leg.length - sameTime) {
            *step = leg.step.number;
            return Along(leg, std::max(0.0, time - leg.begin));
        }
    *step = legs.back().step.number;
    return End();
}

Tour::Frame Tour::At(int k) const {
    Frame frame;
    frame.seconds = k / fps;
    // Frame k is at time k counted in frames, exactly: k / fps * fps need not give k back.
    frame.view = ViewAtFrame(k, &frame.step);
    return frame;
}

std::string Tour::Line(int k) const {
    const Frame frame = At(k);
    char head[64];
    std::snprintf(head, sizeof head, "%d %.3f %d ", k, frame.seconds, frame.step);
    return head + ViewText::Format(frame.view);
}
