#include "render/FigureCommand.h"

#include "export/FileWriters.h"
#include "figure/ViewFigure.h"
#include "hypercube/CTessary.h"
#include "hypercube/ViewText.h"
#include "render/RenderRequest.h"

bool FigureCommand::Write(CTessary& screen, const RenderRequest& options, std::string* reason) {
    const std::string view = options.viewText.empty() ? ViewText::Format(*options.view) : options.viewText;
    const Figure figure = ViewFigure::Draw(screen, options.width, options.Palette(), view);
    return FileWriters::WriteFigure(options.renderFile, options.kind, figure, reason);
}
