// A view as short text that is the same on every platform and safe in a URL:
//   v1.<d><m>.<camera>[.<orientation>]
// <d> is the dimension ('0' for nothing built, '3' to '8'), <m> 'w' for the wireframe, 'f' for the
// faces, 'd' for the wireframe darkened by the fog that showing the faces left on;
// <camera> is eye x, y, z and up x, y, z as the bits of IEEE single-precision floats, 6 base64url
// characters each (most significant first, the top 4 of 36 bits zero); <orientation> is the
// d x d rotation row by row, each entry e in [-1, 1] as round((e + 1) x 8388607) in 4 base64url
// characters, absent when d is 0. The camera is exact; the orientation is within 6e-8 per entry,
// as near as single-precision vertices carry it, and is straightened into a rotation when read.
#pragma once

#include "hypercube/CheckedView.h"
#include "hypercube/View.h"

#include <string>

class ViewText {
public:
    // The longest text there is: the 8-cube's.
    static const size_t maxLength;

    static std::string Format(const View& view);
    // Reads `text` into *view, checked as View::Check does. On refusal *reason gets one line, and
    // *view is left exactly as it was.
    static bool Parse(const std::string& text, CheckedView* view, std::string* reason);
    // The same into a plain View, for code that goes on to change it.
    static bool Parse(const std::string& text, View* view, std::string* reason);
};
