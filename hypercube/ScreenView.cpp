#include "hypercube/ScreenView.h"

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "gui/QV_CheckBox.h"
#include "gui/QV_TextBox.h"
#include "hypercube/CTessary.h"
#include "hypercube/ViewText.h"

#include <cmath>

View ScreenView::Capture(const CTessary& screen) {
    View view;
    const HypercubeModel& model = screen.model;
    view.dimension = model.built ? model.dimension : 0;
    view.wireframe = screen.wireframeBox->checked;
    for (int i = 0; i < 3; ++i) {
        view.eye[i] = screen.camera.eye[i] - screen.camera.target[i];
        view.up[i] = screen.camera.up[i];
    }
    const double distance = std::sqrt(double(view.eye[0]) * view.eye[0] + double(view.eye[1]) * view.eye[1] +
                                      double(view.eye[2]) * view.eye[2]);
    const double limit = distance < NearestViewDistance()    ? NearestViewDistance()
                         : distance > FarthestViewDistance() ? FarthestViewDistance()
                                                             : distance;
    if (limit != distance && distance > 0.0)
        for (float& e : view.eye)
            e = static_cast<float>(e * limit / distance);

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
    View read = view;
    if (ViewText::Parse(ViewText::Format(view), &read, nullptr))
        Apply(screen, read, nullptr);
    return view;
}

bool ScreenView::Apply(CTessary& screen, const View& view, std::string* reason) {
    if (application && application->screenManager->messageBoxOpen) {
        if (reason)
            *reason = "a message box is open";
        return false;
    }
    View checked = view;
    if (!checked.Check(reason))
        return false;

    if (checked.dimension == 0) {
        screen.model.built = false;
    } else {
        if (!screen.model.built || screen.model.dimension != checked.dimension) {
            screen.model.Build(checked.dimension);
            screen.model.built = true;
        }
        TurnModel(screen, checked);
    }
    QV_TextBox* field = screen.dimensionBox;
    field->text.clear();
    field->caret = 0;
    field->scroll = 0;
    if (checked.dimension != 0)
        field->InsertChar(static_cast<WCHAR>(L'0' + checked.dimension));
    field->Relayout();
    screen.wireframeBox->checked = checked.wireframe;
    for (int i = 0; i < 3; ++i) {
        screen.camera.eye[i] = checked.eye[i];
        screen.camera.up[i] = checked.up[i];
        screen.camera.target[i] = 0.0f;
    }
    return true;
}

void ScreenView::TurnModel(CTessary& screen, const View& view) {
    HypercubeModel& model = screen.model;
    const float half = model.edgeLength * 0.5f; // Build centres the cube: coordinates are +-half
    for (int32_t v = 0; v < model.vertexCount; ++v) {
        float* vertex = model.Vertex(v);
        for (int i = 0; i < model.dimension; ++i) {
            double sum = 0.0;
            for (int k = 0; k < model.dimension; ++k)
                sum += view.At(i, k) * ((v >> k) & 1 ? half : -half);
            vertex[i] = static_cast<float>(sum);
        }
    }
}
