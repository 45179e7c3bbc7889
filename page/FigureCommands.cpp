#include "page/FigureCommands.h"

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "export/FigureText.h"
#include "export/FileKinds.h"
#include "figure/ViewFigure.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScenePalette.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"
#include "page/PageAnswer.h"

#include <algorithm>
#include <string>

namespace {

// The file of the last call, kept until the next one.
std::string file;

} // namespace

const char* tessary_figure(const char* format, int width) {
    file.clear();
    const std::string name = format ? format : "";
    const FileKind* kind = FileKinds::Named(name, FileUse::figure);
    if (!kind)
        return PageAnswer::Refuse(
            Refusal::malformed, "the format must be " + FileKinds::Names(FileUse::figure) + ", not " + name);
    CTessary* screen = CTessary::Active();
    if (!screen)
        return PageAnswer::Refuse(Refusal::notStarted, Refusal::noScreen);
    if (application->screenManager->messageBoxOpen)
        return PageAnswer::Refuse(Refusal::busy, Refusal::boxOpen);
    // The screen is given the view's own text, read back, as the command line would give it: the
    // vertices are then exactly those `--render --view TEXT` draws (a view of the same dimension
    // only turns them).
    const std::string view = ScreenView::Settle(*screen);
    const int drawn = std::clamp(width, FileKinds::pictureWidth.low, FileKinds::pictureWidth.high);
    const Figure figure = ViewFigure::Draw(*screen, drawn, ScenePalette::Dark(), view);
    file = FigureText::Write(*kind, figure);
    return PageAnswer::Done();
}

const char* tessary_figure_file() {
    return file.data();
}

int tessary_figure_size() {
    return static_cast<int>(file.size());
}
