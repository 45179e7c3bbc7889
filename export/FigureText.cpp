#include "export/FigureText.h"

#include "export/PdfFigure.h"
#include "export/SvgFigure.h"
#include "export/TikzFigure.h"

std::string FigureText::Write(const FileKind& kind, const Figure& figure) {
    switch (kind.format) {
    case FileFormat::pdf:
        return PdfFigure::Write(figure);
    case FileFormat::tikz:
        return TikzFigure::Write(figure);
    default:
        return SvgFigure::Write(figure);
    }
}
