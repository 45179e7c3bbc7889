// Taking the view of the hypercube screen, and putting a view onto it, at start or while it runs.
#pragma once

#include "hypercube/CheckedView.h"
#include "hypercube/View.h"

#include <string>

class CTessary;

class ScreenView {
public:
    // What the screen shows now. The orientation is read back from the vertices (the edge from
    // vertex 0 along axis k is the edge length times column k) and straightened; an eye that a huge
    // wheel step has thrown beyond the limits a view may have is brought back to them.
    static View Capture(const CTessary& screen);

    // The text of what the screen shows, settled: the view is captured, written as text, and the
    // text read back is shown on the screen itself. The vertices move by a millionth of a unit or so,
    // unseen, but they are then exactly those that applying the text gives any other program, which
    // then draws the very same frame: turned vertices carry the rounding of every frame's turn, which
    // no short text can reproduce bit for bit, and translucent faces of nearly equal depth can swap
    // their drawing order over such a difference. While nothing has moved since the screen was last
    // settled or given a text, that text is the answer and nothing is touched: reading a view twice,
    // or reading back a view just shown, gives the same text. Only the vertices and the camera are
    // set: the entry field keeps what the reader has typed. Not while a message box is open: then
    // the screen is left alone.
    static std::string Settle(CTessary& screen);
    // The text of what the screen shows without touching it: the text kept while nothing has moved,
    // otherwise the captured view's, for a watcher that only looks for a change.
    static std::string Peek(const CTessary& screen);

    // Shows `view` as the user would have made it: the model built as the generate button builds it
    // and turned to the orientation (the vertices are set from the rotation), the entry field showing
    // the dimension as if typed, the check box set, the fog set and the camera placed. Refused, with
    // one line in *reason and the screen untouched, while a message box is open.
    static bool Apply(CTessary& screen, const CheckedView& view, std::string* reason);
    // The same for a view read from `text`, which the screen then keeps as the text of what it
    // shows (Settle and Peek give it back until something moves).
    static bool Apply(CTessary& screen, const CheckedView& view, const std::string& text,
                      std::string* reason);
    // The same for a view made in code, checked first (CheckedView::Check): refused also when it
    // does not pass.
    static bool Apply(CTessary& screen, const View& view, std::string* reason);

    // What Apply does once it may: the view shown as it is, without a check, for a caller that made
    // it from a checked view by exact rotations (a tour's frames), where straightening every frame
    // would only move the vertices by a rounding.
    static void Show(CTessary& screen, const View& view);

    // Sets every vertex of the model (built, of the view's dimension) from the view's rotation.
    static void TurnModel(CTessary& screen, const View& view);
};
