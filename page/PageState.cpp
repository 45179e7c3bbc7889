#include "page/PageState.h"

#include "app/AppContext.h"
#include "app/InputState.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "gui/QV_CheckBox.h"
#include "gui/QV_Label.h"
#include "gui/QV_MessageBox.h"
#include "hypercube/CTessary.h"
#include "hypercube/DimensionRule.h"
#include "hypercube/KeyRotation.h"
#include "hypercube/ScreenView.h"

#include <cstdio>
#include <string>

namespace {

// A JSON string of UTF-16 text: ASCII as it is, everything else as \u escapes.
std::string JsonString(const std::wstring& text) {
    std::string out = "\"";
    for (wchar_t unit : text) {
        if (unit == L'"' || unit == L'\\') {
            out += '\\';
            out += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            out += static_cast<char>(unit);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit) & 0xFFFFu);
            out += escape;
        }
    }
    return out + "\"";
}

} // namespace

const char* tessary_page_state() {
    static std::string state;
    const CTessary* screen = CTessary::Active();
    if (!screen)
        return state = "{}", state.c_str();
    const HypercubeModel& model = screen->model;
    const ScreenManager* manager = application->screenManager;
    const bool built = model.built;
    state = "{\"dimension\":" + std::to_string(built ? model.dimension : 0);
    state += ",\"vertices\":" + std::to_string(built ? model.vertexCount : 0);
    state += ",\"edges\":" + std::to_string(built ? model.edgeCount : 0);
    state += ",\"faces\":" + std::to_string(built ? model.faceCount : 0);
    state += std::string(",\"facesShown\":") + (screen->ShowsWireframe() ? "false" : "true");
    const bool boxOpen = manager->messageBoxOpen && manager->messageBox && manager->messageBox->message;
    state +=
        ",\"message\":" + (boxOpen ? JsonString(manager->messageBox->message->text) : std::string("null"));
    // The frame step turns the cube only while the window has the keyboard and no box is open.
    int32_t a = 0;
    int32_t b = 0;
    const bool turning = built && !inputState.paused && !manager->messageBoxOpen &&
                         HeldPlane(inputState.keys, model.dimension, &a, &b);
    state += ",\"plane\":" +
             (turning ? "[" + std::to_string(a) + "," + std::to_string(b) + "]" : std::string("null"));
    state += std::string(",\"reverse\":") + (turning && TurnReversed(inputState.keys) ? "true" : "false");
    return state += "}", state.c_str();
}

const char* tessary_dimension_question(int n) {
    static std::string answer;
    if (!DimensionRule::Builds(n))
        answer = "{\"answer\":\"refused\",\"text\":" + JsonString(DimensionRule::Refusal()) + "}";
    else if (const wchar_t* question = DimensionRule::Question(n))
        answer = "{\"answer\":\"ask\",\"text\":" + JsonString(question) + "}";
    else
        answer = "{\"answer\":\"build\"}";
    return answer.c_str();
}

const char* tessary_apply_dimension(int n) {
    static std::string reason;
    CTessary* screen = CTessary::Active();
    if (!screen)
        return reason = "no screen", reason.c_str();
    if (!DimensionRule::Builds(n))
        return reason = "the dimension must be " + DimensionRule::RangeText(), reason.c_str();
    View view = ScreenView::Capture(*screen);
    view.dimension = n;
    for (double& entry : view.orientation)
        entry = 0.0;
    for (int k = 0; k < n; ++k)
        view.At(k, k) = 1.0;
    reason.clear();
    ScreenView::Apply(*screen, view, &reason);
    return reason.c_str();
}

const char* tessary_show_faces(int shown) {
    CTessary* screen = CTessary::Active();
    if (!screen)
        return "no screen";
    if (application->screenManager->messageBoxOpen)
        return "a message box is open";
    screen->ShowWireframe(shown == 0);
    return "";
}
