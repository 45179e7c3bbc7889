// A figure as the text of a figure kind's format (SVG, PDF or TikZ): the one map from FileKinds'
// figure kinds to their writers, which the command line's writer and the browser's page both use.
#pragma once

#include "export/Figure.h"
#include "export/FileKinds.h"

#include <string>

class FigureText {
public:
    // `kind` must be one of FileKinds' figure kinds.
    static std::string Write(const FileKind& kind, const Figure& figure);
};
