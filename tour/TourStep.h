// One step of a tour as read from its text, before it is timed against a start view and a rate:
// what it does, by how much, and for how long.
#pragma once

#include "hypercube/View.h"

#include <string>

// How long a step lasts: seconds, or frames of the clip, which only the rate turns into time.
struct TourDuration {
    double amount = 0.0;
    bool inFrames = false;

    double Frames(double fps) const { return inFrames ? amount : amount * fps; }
};

struct TourStep {
    enum class Kind { turn, orbit, to, hold, faces };

    Kind kind = Kind::hold;
    int number = 0;   // from 1, in the order of the text
    std::string text; // the step as written, for a refusal that names it
    TourDuration duration;
    // turn: the plane's axes, the lower and the higher; turn and orbit: the angle in degrees.
    int low = 0;
    int high = 1;
    double degrees = 0.0;
    // to: the view to reach (its text already read), or the tour's start; eased or at one speed.
    bool toStart = false;
    View target;
    bool eased = true;
    // faces: on or off.
    bool faces = false;
};
