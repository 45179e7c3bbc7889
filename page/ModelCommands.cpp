#include "page/ModelCommands.h"

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "export/FileKinds.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScreenView.h"
#include "model/ModelFile.h"
#include "page/PageAnswer.h"

#include <string>

namespace {

// The file of the last call, kept until the next one. (Named apart from the figure commands' file:
// the sanitizer build compiles this folder as unity sources.)
std::string lastModel;

} // namespace

const char* tessary_model(const char* format) {
    lastModel.clear();
    const std::string name = format ? format : "";
    const FileKind* kind = FileKinds::Named(name, FileUse::model);
    if (!kind)
        return PageAnswer::Refuse(Refusal::malformed,
                                  "the format must be " + FileKinds::Names(FileUse::model) + ", not " + name);
    CTessary* screen = CTessary::Active();
    if (!screen)
        return PageAnswer::Refuse(Refusal::notStarted, Refusal::noScreen);
    if (application->screenManager->messageBoxOpen)
        return PageAnswer::Refuse(Refusal::busy, Refusal::boxOpen);
    if (!screen->model.built)
        return PageAnswer::Refuse(Refusal::notStarted, "no hypercube is built yet");
    // The screen is given the view's own text, read back, as the command line would give it: the
    // vertices are then exactly those `--render --view TEXT` makes the model of.
    const std::string view = ScreenView::Settle(*screen);
    lastModel = ModelFile::Write(*kind, ModelSource::Of(*screen, view, false), FileKinds::modelSize,
                                 FileKinds::strutShare * FileKinds::modelSize, nullptr);
    return PageAnswer::Done();
}

const char* tessary_model_file() {
    return lastModel.data();
}

int tessary_model_size() {
    return static_cast<int>(lastModel.size());
}
