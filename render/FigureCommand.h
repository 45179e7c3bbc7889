// tessary --render FILE.svg, .pdf or .tex: the view of the running program as a figure of flat
// shapes (export/Figure.h), written by FileWriters::WriteFigure.
#pragma once

#include <string>

struct RenderRequest;
class CTessary;

class FigureCommand {
public:
    // Makes the figure of `screen`, which shows options.view, options.width pixels wide at 4:3 in
    // options.Palette(), and writes it to options.renderFile. False with the reason when it cannot be
    // written; no partial file is left.
    static bool Write(CTessary& screen, const RenderRequest& options, std::string* reason);
};
