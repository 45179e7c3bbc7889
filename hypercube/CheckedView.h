// A view that has passed View::Check: within every limit and straightened into an exact rotation,
// so the screen can show it as it is. Only Check makes one, which is what lets a view be checked
// once on its way in, however many hands it then passes through.
#pragma once

#include "hypercube/View.h"

#include <string>

class CheckedView {
public:
    // The view of the program at start, which needs no check.
    CheckedView() = default;

    // Checks `view` (View::Check) into *checked. On refusal *reason gets one line and *checked is
    // left as it was.
    static bool Check(const View& view, CheckedView* checked, std::string* reason);

    const View& operator*() const { return value; }
    const View* operator->() const { return &value; }

private:
    View value;
};
