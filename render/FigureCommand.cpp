#include "render/FigureCommand.h"

#include "export/FileWriters.h"
#include "hypercube/CTessary.h"
#include "hypercube/ViewText.h"
#include "render/RenderRequest.h"

bool FigureCommand::Write(CTessary& screen, const RenderRequest& options, std::string* reason) {
    const ScenePalette palette = options.Palette();
    Figure figure;
    figure.width = options.width;
    figure.height = options.Height();
    figure.background = {palette.background[0], palette.background[1], palette.background[2]};
    figure.view = ViewText::Format(*options.view);
    // The scene's areas, drawn from `screen` in `palette`, are figure/ViewFigure's to add here; until
    // it is joined the figure holds the background and the view alone.
    static_cast<void>(screen);
    return FileWriters::WriteFigure(options.renderFile, figure, reason);
}
