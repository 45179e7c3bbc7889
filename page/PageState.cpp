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
#include "page/PageAnswer.h"

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

// A message's id (DimensionRule::MessageId) as JSON: a string, or null for a text without one.
std::string JsonId(const char* id) {
    if (!id)
        return "null";
    // Appended rather than joined with operator+: GCC 12 for i686 warns, falsely, that the joined
    // literal overlaps itself.
    std::string json = "\"";
    json += id;
    json += '"';
    return json;
}

} // namespace

const char* tessary_page_state() {
    const CTessary* screen = CTessary::Active();
    if (!screen)
        return PageAnswer::Keep("{}");
    const HypercubeModel& model = screen->model;
    const ScreenManager* manager = application->screenManager;
    const bool built = model.built;
    std::string state = "{\"dimension\":" + std::to_string(built ? model.dimension : 0);
    state += ",\"vertices\":" + std::to_string(built ? model.vertexCount : 0);
    state += ",\"edges\":" + std::to_string(built ? model.edgeCount : 0);
    state += ",\"faces\":" + std::to_string(built ? model.faceCount : 0);
    state += std::string(",\"facesShown\":") + (screen->ShowsWireframe() ? "false" : "true");
    const bool boxOpen = manager->messageBoxOpen && manager->messageBox && manager->messageBox->message;
    const std::wstring* message = boxOpen ? &manager->messageBox->message->text : nullptr;
    state += ",\"message\":" + (message ? JsonString(*message) : std::string("null"));
    state += ",\"messageId\":" + JsonId(message ? DimensionRule::MessageId(*message) : nullptr);
    // The frame step turns the cube for held keys only while it updates the screen.
    int32_t a = 0;
    int32_t b = 0;
    const bool turning = built && ScreenUpdates() && HeldPlane(inputState.keys, model.dimension, &a, &b);
    state += ",\"plane\":" +
             (turning ? "[" + std::to_string(a) + "," + std::to_string(b) + "]" : std::string("null"));
    state += std::string(",\"reverse\":") + (turning && TurnReversed(inputState.keys) ? "true" : "false");
    return PageAnswer::Keep(state + "}");
}

const char* tessary_dimension_question(int n) {
    const bool builds = DimensionRule::Builds(n);
    const wchar_t* text = builds ? DimensionRule::Question(n) : DimensionRule::Refusal();
    if (!text)
        return PageAnswer::Keep("{\"answer\":\"build\"}");
    const std::string answer = builds ? "ask" : "refused";
    return PageAnswer::Keep("{\"answer\":\"" + answer + "\",\"messageId\":" +
                            JsonId(DimensionRule::MessageId(text)) + ",\"text\":" + JsonString(text) + "}");
}

const char* tessary_apply_dimension(int n) {
    if (!DimensionRule::Builds(n))
        return PageAnswer::Refuse(Refusal::outOfRange, "the dimension must be " + DimensionRule::RangeText());
    CTessary* screen = CTessary::Active();
    if (!screen)
        return PageAnswer::Refuse(Refusal::notStarted, Refusal::noScreen);
    if (application->screenManager->messageBoxOpen)
        return PageAnswer::Refuse(Refusal::busy, Refusal::boxOpen);
    View view = ScreenView::Capture(*screen);
    view.dimension = n;
    for (double& entry : view.orientation)
        entry = 0.0;
    for (int k = 0; k < n; ++k)
        view.At(k, k) = 1.0;
    std::string reason;
    return ScreenView::Apply(*screen, view, &reason) ? PageAnswer::Done()
                                                     : PageAnswer::Refuse(Refusal::failed, reason);
}

const char* tessary_show_faces(int shown) {
    CTessary* screen = CTessary::Active();
    if (!screen)
        return PageAnswer::Refuse(Refusal::notStarted, Refusal::noScreen);
    if (application->screenManager->messageBoxOpen)
        return PageAnswer::Refuse(Refusal::busy, Refusal::boxOpen);
    screen->ShowWireframe(shown == 0);
    return PageAnswer::Done();
}
