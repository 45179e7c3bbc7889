#include "page/FigureCommands.h"

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "export/FileKinds.h"
#include "export/PdfFigure.h"
#include "export/SvgFigure.h"
#include "figure/ViewFigure.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScenePalette.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"

#include <algorithm>
#include <string>

namespace {

// The reply and the file of the last call, kept until the next one.
std::string reply;
std::string file;

const char* Reply(std::string text) {
    file.clear();
    reply = std::move(text);
    return reply.c_str();
}

} // namespace

const char* tessary_figure(const char* format, int width) {
    const std::string kind = format ? format : "";
    if (kind != "svg" && kind != "pdf")
        return Reply("unknown format: " + kind);
    CTessary* screen = CTessary::Active();
    if (!screen)
        return Reply("not started: the program has not started yet");
    if (application->screenManager->messageBoxOpen)
        return Reply("busy: a message box is open");
    // The screen is given the view's own text, read back, as the command line would give it: the
    // vertices are then exactly those `--render --view TEXT` draws (a view of the same dimension
    // only turns them).
    const std::string view = ScreenView::Settle(*screen);
    const int drawn = std::clamp(width, FileKinds::pictureWidth.low, FileKinds::pictureWidth.high);
    const Figure figure = ViewFigure::Draw(*screen, drawn, ScenePalette::Dark(), view);
    Reply(std::string());
    file = kind == "svg" ? SvgFigure::Write(figure) : PdfFigure::Write(figure);
    return reply.c_str();
}

const char* tessary_figure_file() {
    return file.data();
}

int tessary_figure_size() {
    return static_cast<int>(file.size());
}
