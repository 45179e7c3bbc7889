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
#include <vector>

namespace {

// The file of the last call, kept until the next one.
std::string file;

// The figure kind FileKinds has under `name`, its extension without the dot ("svg"), or null.
const FileKind* FigureKind(const std::string& name) {
    const FileKind* kind = FileKinds::Find("." + name, FileUse::figure);
    return kind && name == kind->extension + 1 ? kind : nullptr;
}

// "svg, pdf or tex": the names FigureKind takes.
std::string FigureKindNames() {
    const std::vector<const FileKind*> kinds = FileKinds::Select(FileUse::figure, false);
    std::string names;
    for (size_t i = 0; i < kinds.size(); ++i)
        names += (i == 0 ? "" : i + 1 == kinds.size() ? " or " : ", ") + std::string(kinds[i]->extension + 1);
    return names;
}

} // namespace

const char* tessary_figure(const char* format, int width) {
    file.clear();
    const std::string name = format ? format : "";
    const FileKind* kind = FigureKind(name);
    if (!kind)
        return PageAnswer::Refuse(Refusal::malformed,
                                  "the format must be " + FigureKindNames() + ", not " + name);
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
