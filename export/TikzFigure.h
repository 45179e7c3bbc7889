// A figure as a tikzpicture of width x height pt that \input places into any LaTeX document loading
// TikZ: the background as a rectangle, each area a path filled by the even-odd rule with a colour or
// a shading along its paint's line. The view text is a comment at the top.
#pragma once

#include "export/Figure.h"

#include <string>

class TikzFigure {
public:
    static std::string Write(const Figure& figure);
};
