// tessary --render FILE --tour TOUR (or --turn A,B, the tour of one whole turn): the tour's frames,
// one by one, into a clip, each the view the tour's clock gives it (tour/Tour.h).
#pragma once

#include <string>

struct RenderRequest;
class CTessary;

class TourRecorder {
public:
    // Draws every frame of options.tour on `screen`, which shows options.view. Prints a line of
    // progress on stderr when that is a terminal. False with the reason when the clip cannot be
    // written; no partial file is left.
    static bool Record(CTessary& screen, const RenderRequest& options, std::string* reason);
};
