#include "tests/reliability/MonkeyDriver.h"

#include "app/AppContext.h"
#include "app/InputState.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "gui/QV_MessageBox.h"
#include "gui/QV_TextBox.h"
#include "gui/TextTexture.h"
#include "hypercube/CTessary.h"
#include "platform/core/PlatformTesting.h"

#include <cmath>
#include <sstream>
#include <utility>

namespace {

// Centres of the controls, from the panel layout and the message box layout.
constexpr int fieldX = 200, fieldY = 25;
constexpr int buttonX = 924, buttonY = 35;
constexpr int checkBoxX = 410, checkBoxY = 28;
constexpr int okAloneX = 512, okWithCancelX = 452, cancelX = 572, answerY = 399;

// Posted after every batch: when it is dispatched with a box still open, the driver answers the box.
constexpr UINT batchEnd = WM_APP + 41;

LPARAM Point(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<int16_t>(x)), static_cast<WORD>(static_cast<int16_t>(y)));
}

// The entry field's contents the generate clicks try: mostly buildable values, the refused ones,
// and the two that ask first.
const wchar_t* const fieldContents[] = {L"3", L"4", L"5", L"6",  L"3",           L"4",  L"5", L"6", L"",
                                        L"0", L"2", L"9", L"03", L"99999999999", L"-1", L"7", L"8", L"1"};

// Keys the monkey presses: digits, Shift, arrows, letters and a few others; never Escape.
const WPARAM keyChoices[] = {'0',       '1',      '2',   '3',        '4',        '5', '6',      '7',
                             '8',       '9',      '0',   '1',        '2',        '3', VK_SHIFT, VK_SHIFT,
                             VK_LEFT,   VK_RIGHT, VK_UP, VK_DOWN,    'A',        'Z', VK_SPACE, VK_BACK,
                             VK_RETURN, VK_TAB,   VK_F1, VK_NUMPAD0, VK_CONTROL, 200};

} // namespace

uint32_t RandomDecisions::Pick(uint32_t bound) {
    return std::uniform_int_distribution<uint32_t>(0, bound - 1)(engine);
}

uint32_t ByteDecisions::Pick(uint32_t bound) {
    uint32_t value = 0;
    for (int i = 0; i < (bound > 256 ? 2 : 1); ++i)
        value = value << 8 | (position < size ? data[position++] : 0);
    return value % bound;
}

CTessary* MonkeyDriver::FreshViewer(ScreenManager* manager) {
    platform_testing::DiscardQueuedMessages();
    inputState = InputState{};
    auto* old = static_cast<CTessary*>(manager->screens[0]);
    auto* fresh = new CTessary(); // owned by the manager
    if (old) {
        fresh->model.faceLabels = std::move(old->model.faceLabels);
        delete old;
    }
    fresh->model.faceLabels.surplus = FaceLabels::Surplus::Keep;
    manager->screens[0] = fresh;
    manager->current = 0;
    return fresh;
}

MonkeyDriver::MonkeyDriver(CTessary* viewer, DecisionSource& decisions)
    : viewer(viewer), manager(application->screenManager), decisions(decisions) {
    probe = new TextTexture();
    probe->SetFont(viewer->dimensionBox->fontName.c_str(), viewer->dimensionBox->fontSize);
    platform_testing::SetDispatchHook([this](const MSG& message) { OnDispatch(message); });
}

MonkeyDriver::~MonkeyDriver() {
    platform_testing::SetDispatchHook(nullptr);
    delete probe;
}

bool MonkeyDriver::Run(long messages) {
    while (posted < messages && failure.empty() && !decisions.Exhausted()) {
        const uint32_t batch = 1 + decisions.Pick(12);
        for (uint32_t i = 0; i < batch && posted < messages; ++i)
            PostOneEvent();
        PostMessageW(mainWindow, batchEnd, 0, 0);
        // Mostly a frame's worth of time, sometimes a long pause with keys held.
        platform_testing::AdvanceTicks(decisions.Pick(16) == 0 ? decisions.Pick(3000) : decisions.Pick(40));
        ++frames;
        if (!FrameStep()) {
            failure = "the program quit although nothing asked it to";
            return false;
        }
        if (failure.empty())
            failure = CheckInvariants(true);
    }
    return failure.empty();
}

void MonkeyDriver::Post(UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageW(mainWindow, message, wParam, lParam);
    ++posted;
}

void MonkeyDriver::PostOneEvent() {
    const uint32_t kind = decisions.Pick(100);
    if (kind < 22)
        PostKey();
    else if (kind < 42)
        PostCharacter();
    else if (kind < 64)
        PostMouseMove();
    else if (kind < 80)
        PostButton();
    else if (kind < 90)
        PostWheel();
    else if (kind < 94)
        PostFocusChange();
    else if (kind < 97)
        PostGenerate();
    else
        PostClickAt(checkBoxX, checkBoxY);
}

void MonkeyDriver::PostKey() {
    const WPARAM key = keyChoices[decisions.Pick(sizeof keyChoices / sizeof keyChoices[0])];
    Post(decisions.Pick(2) ? WM_KEYDOWN : WM_KEYUP, key, 0);
}

void MonkeyDriver::PostCharacter() {
    const uint32_t kind = decisions.Pick(10);
    if (kind < 4) {
        Post(WM_CHAR, '0' + decisions.Pick(10));
    } else if (kind < 5) {
        Post(WM_CHAR, VK_BACK);
    } else if (kind < 6) {
        Post(WM_CHAR, decisions.Pick(2) ? 'a' + decisions.Pick(26) : 'A' + decisions.Pick(26));
    } else if (kind < 7) {
        Post(WM_CHAR, decisions.Pick(32)); // control characters, tab, line feed, return, escape
    } else if (kind < 8) {
        // A character outside the basic plane, as the two halves of its surrogate pair.
        Post(WM_CHAR, 0xD800 + decisions.Pick(0x400));
        Post(WM_CHAR, 0xDC00 + decisions.Pick(0x400));
    } else if (kind < 9) {
        Post(WM_CHAR, 0xD800 + decisions.Pick(0x800)); // a lone half of a pair
    } else {
        const WPARAM others[] = {L'-', L'+', L' ', 0x4E2D, 0xFF10, 0xFFFF, 0x7F, 0x00A0};
        Post(WM_CHAR, others[decisions.Pick(sizeof others / sizeof others[0])]);
    }
}

void MonkeyDriver::PostMouseMove() {
    const uint32_t kind = decisions.Pick(10);
    int x, y;
    if (kind < 6) {
        x = static_cast<int>(decisions.Pick(1024));
        y = static_cast<int>(decisions.Pick(768));
    } else if (kind < 8) {
        // Outside the client area, as during a captured drag, negative coordinates included.
        x = static_cast<int>(decisions.Pick(5000)) - 2000;
        y = static_cast<int>(decisions.Pick(5000)) - 2000;
    } else {
        // Near the controls and the answer buttons, where the interesting transitions are.
        const int spots[][2] = {{fieldX, fieldY},
                                {buttonX, buttonY},
                                {checkBoxX, checkBoxY},
                                {okAloneX, answerY},
                                {okWithCancelX, answerY},
                                {cancelX, answerY},
                                {160, 15},
                                {260, 35}};
        const auto& spot = spots[decisions.Pick(sizeof spots / sizeof spots[0])];
        x = spot[0] + static_cast<int>(decisions.Pick(61)) - 30;
        y = spot[1] + static_cast<int>(decisions.Pick(31)) - 15;
    }
    Post(WM_MOUSEMOVE, 0, Point(x, y));
}

void MonkeyDriver::PostButton() {
    const UINT buttons[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP};
    Post(buttons[decisions.Pick(4)], 0, Point(inputState.mouseX, inputState.mouseY));
}

void MonkeyDriver::PostWheel() {
    // Whole notches mostly; a fine-grained wheel sends parts of a notch.
    int delta = decisions.Pick(4) ? maxWheelDelta : 1 + static_cast<int>(decisions.Pick(maxWheelDelta));
    if (decisions.Pick(2))
        delta = -delta;
    Post(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<int16_t>(delta))), 0);
}

void MonkeyDriver::PostFocusChange() {
    if (decisions.Pick(2)) {
        Post(WM_ACTIVATEAPP, 0);
        Post(WM_KILLFOCUS);
    } else {
        Post(WM_ACTIVATEAPP, 1);
        Post(WM_SETFOCUS);
    }
}

void MonkeyDriver::PostClickAt(int x, int y) {
    Post(WM_MOUSEMOVE, 0, Point(x, y));
    Post(WM_LBUTTONDOWN, 0, Point(x, y));
    Post(WM_LBUTTONUP, 0, Point(x, y));
}

void MonkeyDriver::PostGenerate() {
    PostClickAt(fieldX, fieldY);
    // Enough Backspaces for the text now and whatever the queue may still add to it.
    const size_t erase = viewer->dimensionBox->text.size() + 24;
    for (size_t i = 0; i < erase; ++i)
        Post(WM_CHAR, VK_BACK);
    std::wstring contents;
    if (decisions.Pick(5) == 0) {
        const uint32_t length = 1 + decisions.Pick(12);
        for (uint32_t i = 0; i < length; ++i)
            contents += static_cast<wchar_t>(L'0' + decisions.Pick(10));
    } else {
        contents = fieldContents[decisions.Pick(sizeof fieldContents / sizeof fieldContents[0])];
    }
    for (wchar_t c : contents)
        Post(WM_CHAR, static_cast<WPARAM>(c));
    PostClickAt(buttonX, buttonY);
}

void MonkeyDriver::OnDispatch(const MSG& message) {
    ++dispatched;
    if (failure.empty())
        failure = CheckInvariants(false);
    if (!manager->messageBoxOpen)
        answering = false;
    if (message.message == batchEnd && manager->messageBoxOpen && !answering)
        AnswerOpenBox();
}

void MonkeyDriver::AnswerOpenBox() {
    // Nobody has released a button over the box during the batch: do it now, after making sure the
    // window is active again so that the clicks are routed. Building 7 or 8 is slow, so the warning
    // is mostly cancelled.
    answering = true;
    ++boxesAnswered;
    int x = okAloneX;
    if (manager->messageBox->cancelButton)
        x = decisions.Pick(8) == 1 ? okWithCancelX : cancelX; // an exhausted source cancels
    PostMessageW(mainWindow, WM_ACTIVATEAPP, 1, 0);
    PostMessageW(mainWindow, WM_MOUSEMOVE, 0, Point(x, answerY));
    PostMessageW(mainWindow, WM_LBUTTONDOWN, 0, Point(x, answerY));
    PostMessageW(mainWindow, WM_LBUTTONUP, 0, Point(x, answerY));
    PostMessageW(mainWindow, batchEnd, 0, 0);
}

std::string MonkeyDriver::CheckTextBox() {
    const QV_TextBox& box = *viewer->dimensionBox;
    std::ostringstream out;
    const int32_t length = static_cast<int32_t>(box.text.size());
    if (!(0 <= box.scroll && box.scroll <= box.caret && box.caret <= length)) {
        out << "text box indices: scroll " << box.scroll << ", caret " << box.caret << ", length " << length;
        return out.str();
    }
    for (wchar_t c : box.text)
        if (c < L'0' || c > L'9') {
            out << "the digits-only field holds the code unit " << static_cast<int>(c);
            return out.str();
        }
    // The caret sits 2 pixels plus the width of the characters from scroll to the caret.
    const std::wstring beforeCaret = box.text.substr(box.scroll, box.caret - box.scroll);
    if (beforeCaret != measuredText || measuredText.empty()) {
        probe->Render(beforeCaret.c_str());
        measuredText = beforeCaret;
        measuredWidth = probe->textWidth;
    }
    if (box.caretX != measuredWidth + 2) {
        out << "caretX " << box.caretX << " but the text before the caret is " << measuredWidth << " wide";
        return out.str();
    }
    if (box.caretX > box.width - 2 && box.scroll != box.caret) {
        out << "caret outside the frame: caretX " << box.caretX << ", scroll " << box.scroll;
        return out.str();
    }
    return {};
}

std::string MonkeyDriver::CheckInvariants(bool topLevel) {
    std::ostringstream out;
    if (std::string textBox = CheckTextBox(); !textBox.empty())
        return textBox;

    // At most one focus, and the box's own flag agrees with the screen's focus.
    if (viewer->focus != nullptr && viewer->focus != viewer->dimensionBox)
        return "the focus is on a control that cannot take it";
    if (viewer->dimensionBox->focused != (viewer->focus == viewer->dimensionBox))
        return "the entry field's focus flag disagrees with the screen's focus";

    const HypercubeModel& model = viewer->model;
    if (model.built) {
        const int32_t n = model.dimension;
        if (n < 3 || n > 8) {
            out << "built model of dimension " << n;
            return out.str();
        }
        if (model.vertexCount != model.vertexCounts[n] || model.edgeCount != model.edgeCounts[n] ||
            model.faceCount != model.faceCounts[n]) {
            out << "model counts " << model.vertexCount << "/" << model.edgeCount << "/" << model.faceCount
                << " differ from the tables " << model.vertexCounts[n] << "/" << model.edgeCounts[n] << "/"
                << model.faceCounts[n] << " for dimension " << n;
            return out.str();
        }
        if (!model.vertices || !model.edges || !model.faces || !model.drawOrder)
            return "a built model is missing an array";
        if (model.faceLabels.Count() != model.faceCount) {
            out << "a built model of " << model.faceCount << " faces has " << model.faceLabels.Count()
                << " labels";
            return out.str();
        }
        for (int64_t i = 0; i < static_cast<int64_t>(model.vertexCount) * n; ++i)
            if (!std::isfinite(model.vertices[i])) {
                out << "vertex coordinate " << i << " is " << model.vertices[i];
                return out.str();
            }
        for (int32_t e = 0; e < model.edgeCount; ++e) {
            const CubeEdge& edge = model.edges[e];
            if (edge.first < 0 || edge.second >= model.vertexCount || edge.first >= edge.second) {
                out << "edge " << e << " joins " << edge.first << " and " << edge.second;
                return out.str();
            }
        }
    }

    // The zoom limit is tested before each move, so one message can carry the eye a notch past it.
    const OrbitCamera& camera = viewer->camera;
    const float dx = camera.eye[0] - camera.target[0], dy = camera.eye[1] - camera.target[1],
                dz = camera.eye[2] - camera.target[2];
    const float distance = std::sqrt(dx * dx + dy * dy + dz * dz);
    const float step = maxWheelDelta * 0.0002f;
    if (!(distance >= camera.minDistance * (1 - step) && distance <= camera.maxDistance * (1 + step))) {
        out << "camera distance " << distance;
        return out.str();
    }
    for (int i = 0; i < 3; ++i)
        if (!std::isfinite(camera.up[i]))
            return "the camera's up vector is not finite";

    if (manager->messageBoxOpen != (manager->messageBox != nullptr))
        return "the manager's message box flag and pointer disagree";
    if (topLevel && manager->messageBoxOpen)
        return "a message box is open outside its modal loop";
    if (manager->ActiveScreen() != viewer)
        return "the viewer is no longer the active screen";
    return {};
}
