#include "hypercube/ScreenView.h"

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "gui/QV_CheckBox.h"
#include "gui/QV_TextBox.h"
#include "hypercube/CTessary.h"
#include "hypercube/ViewText.h"

View ScreenView::Capture(const CTessary& screen) {
    View view;
    const HypercubeModel& model = screen.model;
    view.dimension = model.built ? model.dimension : 0;
    view.wireframe = screen.ShowsWireframe();
    view.fogged = screen.Fogged();
    for (int i = 0; i < 3; ++i) {
        view.eye[i] = screen.camera.eye[i] - screen.camera.target[i];
        view.up[i] = screen.camera.up[i];
    }
    BringWithinZoomLimits(view.eye);

    const float* origin = model.built ? model.Vertex(0) : nullptr;
    for (int k = 0; k < view.dimension; ++k) {
        const float* along = model.Vertex(1 << k);
        for (int i = 0; i < view.dimension; ++i)
            view.At(i, k) = (double(along[i]) - origin[i]) / model.edgeLength;
    }
    View checked = view;
    return checked.Check(nullptr) ? checked : view;
}

std::string ScreenView::Settle(CTessary& screen) {
    if (const std::string* kept = screen.shownText.Recall(screen))
        return *kept;
    const std::string text = ViewText::Format(Capture(screen));
    CheckedView read;
    if (application && application->screenManager->messageBoxOpen)
        return text;
    if (!ViewText::Parse(text, &read, nullptr))
        return text;
    // Only what the text rounds is put back: the vertices and the camera. The dimension, the mode
    // and the fog are the screen's own already, and the entry field is left as the reader has it,
    // who may be typing the next dimension while the view is read.
    if (read->dimension != 0)
        TurnModel(screen, *read);
    screen.PlaceCamera(read->eye, read->up);
    screen.shownText.Remember(screen, text);
    return text;
}

std::string ScreenView::Peek(const CTessary& screen) {
    const std::string* kept = screen.shownText.Recall(screen);
    return kept ? *kept : ViewText::Format(Capture(screen));
}

bool ScreenView::Apply(CTessary& screen, const CheckedView& view, const std::string& text,
                       std::string* reason) {
    if (!Apply(screen, view, reason))
        return false;
    screen.shownText.Remember(screen, text);
    return true;
}

bool ScreenView::Apply(CTessary& screen, const View& view, std::string* reason) {
    CheckedView checked;
    return CheckedView::Check(view, &checked, reason) && Apply(screen, checked, reason);
}

bool ScreenView::Apply(CTessary& screen, const CheckedView& shown, std::string* reason) {
    if (application && application->screenManager->messageBoxOpen) {
        if (reason)
            *reason = "a message box is open";
        return false;
    }
    Show(screen, *shown);
    return true;
}

void ScreenView::Show(CTessary& screen, const View& checked) {
    // A model of the view's dimension already built is only turned: building the 8-cube's faces
    // again would cost a second for nothing.
    if (checked.dimension == 0 || !screen.model.built || screen.model.dimension != checked.dimension)
        screen.BuildModel(checked.dimension);
    if (checked.dimension != 0)
        TurnModel(screen, checked);
    screen.TypeDimension(checked.dimension);
    screen.ShowWireframe(checked.wireframe);
    screen.FogWireframe(checked.fogged);
    screen.PlaceCamera(checked.eye, checked.up);
}

void ScreenView::TurnModel(CTessary& screen, const View& view) {
    screen.TurnModel(view.orientation, View::maxDimension);
}
