// tessary --render FILE --turn A,B: one whole turn of the cube in one plane, frame by frame, into a
// clip, as holding the digit keys A and B (with Shift for -A,B) would turn it in the window.
#pragma once

#include <string>

struct RenderRequest;
class CTessary;

class TurnRecorder {
public:
    // Draws options.frames frames of `screen`, which shows options.view: frame k is the view turned
    // by k / frames of a whole turn, so the clip loops without a repeated frame. Prints a line of
    // progress on stderr when that is a terminal. False with the reason when the clip cannot be
    // written; no partial file is left.
    static bool Record(CTessary& screen, const RenderRequest& options, std::string* reason);
};
