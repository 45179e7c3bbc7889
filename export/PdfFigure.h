// A figure as a one-page PDF of width x height points: the background as a rectangle, each area a
// path filled by the even-odd rule with a colour or an axial shading, its opacity through a graphics
// state; no font and no image. The view text is the document's subject.
#pragma once

#include "export/Figure.h"

#include <string>

class PdfFigure {
public:
    static std::string Write(const Figure& figure);
};
