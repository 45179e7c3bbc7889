// Reads a tour's text into its steps. Steps are separated by ';' or line breaks, '#' starts a
// comment that runs to the end of its line, and blank steps are skipped (they get no number):
//   turn A,B by DEG in DUR          turn in the plane of axes A and B, as the digit keys do
//   orbit DEG in DUR                the camera around the window's up axis, as a turntable
//   to VIEW|start in DUR [linear|ease]   the shortest way to a view, as the page's animate-to
//   hold DUR                        keep the view
//   faces on|off                    show or hide the faces at that moment
// A duration is a positive number with s, ms or f (frames) after it: 2s, 500ms, 48f, 1.5s.
// docs/tours.md is the reader's guide to the same grammar.
#pragma once

#include "tour/TourStep.h"

#include <string>
#include <vector>

class TourReader {
public:
    // The steps of `text`, or false with one line that names the step's number and what is wrong.
    // Whether the steps fit a start view (the axes, a view's dimension) is Tour::Make's to check.
    static bool Read(const std::string& text, std::vector<TourStep>* steps, std::string* reason);

    // "step 3 'hold 2x': <why>", the form of every refusal of a step, the reader's and the timing's.
    static std::string Refusal(const TourStep& step, const std::string& why);
};
