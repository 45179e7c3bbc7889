#include "hypercube/CheckedView.h"

bool CheckedView::Check(const View& view, CheckedView* checked, std::string* reason) {
    View candidate = view;
    if (!candidate.Check(reason))
        return false;
    checked->value = candidate;
    return true;
}
