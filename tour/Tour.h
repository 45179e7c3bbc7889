// A tour timed against its start view and a frame rate: the tour's clock. Frame k shows the tour at
// time k / fps, worked out from the start view and the step's own beginning, never from the frame
// before, so no rounding adds up over a long tour. The steps' views at their ends are worked out
// once, each from the one before, by the same formulas as every frame.
//
// A tour of length T has a frame for every k with k / fps < T; without a loop one more frame shows
// its end. A looping tour must end where it started, within the precision of a view's text, and
// then has no such last frame: a player that loops it shows no frame twice.
#pragma once

#include "hypercube/CheckedView.h"
#include "hypercube/View.h"
#include "hypercube/ViewPath.h"
#include "tour/TourStep.h"

#include <optional>
#include <string>
#include <vector>

class Tour {
public:
    struct Frame {
        double seconds; // k / fps
        int step;       // the number of the step it belongs to, from 1
        View view;
    };

    // Times `steps` from `start`. False with one line naming the step and its fault (an axis the
    // start's cube lacks, a view of another dimension), a loop that does not end at its start, or
    // a count of frames outside the clip's limits.
    static bool Make(const std::vector<TourStep>& steps, const CheckedView& start, double fps, bool loop,
                     Tour* tour, std::string* reason);

    int FrameCount() const { return frameCount; }
    double Fps() const { return fps; }
    // The tour's length in seconds.
    double Seconds() const { return length / fps; }
    Frame At(int k) const;
    // The tour at any time in seconds, for a player that keeps its own time: the end from
    // Seconds() on. *step gets the step's number.
    View ViewAt(double seconds, int* step) const;
    // The view at the end of the last step.
    const View& End() const { return legs.back().end; }

    // The line --print-frames prints for frame k: "12 0.400 1 v1.4f...".
    std::string Line(int k) const;

private:
    // A step with its place on the clock, in frames, and the views it goes between.
    struct Leg {
        TourStep step;
        double begin = 0.0;
        double length = 0.0;
        View from;
        View end;
        std::optional<ViewPath> path; // to
    };

    // The tour at `time` counted in frames.
    View ViewAtFrame(double time, int* step) const;
    // The leg's view after `elapsed` of its frames.
    static View Along(const Leg& leg, double elapsed);

    std::vector<Leg> legs;
    double fps = 30.0;
    double length = 0.0; // in frames
    int frameCount = 0;
};
