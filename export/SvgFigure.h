// A figure as an SVG 1.1 document: `width` and `height` in px and a viewBox of the same size, the
// background as a rectangle, each area a path with the even-odd rule and its paint a colour or a
// linear gradient, the view text in <metadata>. The areas sit in one group that scales tenths of a
// pixel to pixels, so their numbers are whole.
#pragma once

#include "export/Figure.h"

#include <string>

class SvgFigure {
public:
    static std::string Write(const Figure& figure);
};
