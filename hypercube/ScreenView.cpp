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

View ScreenView::Settle(CTessary& screen) {
    const View view = Capture(screen);
    // Straightening what was read can move an entry across a rounding step of the text, so only
    // the text itself, read back, is what every reader gets.
    CheckedView read;
    if (ViewText::Parse(ViewText::Format(view), &read, nullptr))
        Apply(screen, read, nullptr);
    return view;
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
    const View& checked = *shown;

    // A model of the view's dimension already built is only turned: building the 8-cube's faces
    // again would cost a second for nothing.
    if (checked.dimension == 0 || !screen.model.built || screen.model.dimension != checked.dimension)
        screen.BuildModel(checked.dimension);
    if (checked.dimension != 0)
        TurnModel(screen, checked);
    screen.TypeDimension(checked.dimension);
    screen.ShowWireframe(checked.wireframe);
    screen.PlaceCamera(checked.eye, checked.up);
    return true;
}

void ScreenView::TurnModel(CTessary& screen, const View& view) {
    screen.TurnModel(view.orientation, View::maxDimension);
}
