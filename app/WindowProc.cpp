// The window procedure: every message first updates InputState, then reaches the element that
// receives input, then the default handling runs.
//
// clang-format off
//   message            InputState change                 routed call (when)
//   WM_KILLFOCUS       paused = true                     -
//   WM_CLOSE           PostQuitMessage(0)                -   (the default handling destroys the window)
//   WM_ACTIVATEAPP     paused = false                    -
//   WM_KEYDOWN/UP      keys[wParam] for codes 0..127     screen OnKeyDown/OnKeyUp (not paused, no box)
//   WM_CHAR            -                                 screen OnChar except 9, 10, 13, 27
//                                                        (not paused, no box)
//   WM_MOUSEMOVE       mouseX, mouseY                    box or screen OnMouseMove (not paused)
//   WM_L/RBUTTONDOWN   capture, left/rightButton = true  box or screen OnMouseDown (not paused)
//   WM_L/RBUTTONUP     release, left/rightButton = false box or screen OnMouseUp (not paused)
//   WM_MOUSEWHEEL      -                                 screen OnMouseWheel (no box; paused or not)
// clang-format on
#include "app/AppContext.h"
#include "app/InputState.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "gui/QV_MessageBox.h"

namespace {

ScreenManager* Manager() {
    return application ? application->screenManager : nullptr;
}

// Mouse events go to the open message box, otherwise to the active screen.
QV_Controller* MouseTarget() {
    ScreenManager* manager = Manager();
    if (!manager)
        return nullptr;
    if (manager->messageBoxOpen)
        return manager->messageBox;
    return manager->ActiveScreen();
}

// Key, character and wheel events go to the active screen only while no message box is open.
QV_Controller* KeyboardTarget() {
    ScreenManager* manager = Manager();
    if (!manager || manager->messageBoxOpen)
        return nullptr;
    return manager->ActiveScreen();
}

void SetKey(WPARAM code, bool down) {
    if (code <= 127)
        inputState.keys[code] = down;
}

void RouteMouse(bool (QV_Controller::*slot)()) {
    if (inputState.paused)
        return;
    if (QV_Controller* target = MouseTarget())
        (target->*slot)();
}

void RouteKey(void (QV_Controller::*slot)()) {
    if (inputState.paused)
        return;
    if (QV_Controller* target = KeyboardTarget())
        (target->*slot)();
}

} // namespace

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KILLFOCUS:
        inputState.paused = true;
        break;
    case WM_CLOSE:
        PostQuitMessage(0);
        break;
    case WM_ACTIVATEAPP:
        inputState.paused = false;
        break;
    case WM_KEYDOWN:
        SetKey(wParam, true);
        RouteKey(&QV_Controller::OnKeyDown);
        break;
    case WM_KEYUP:
        SetKey(wParam, false);
        RouteKey(&QV_Controller::OnKeyUp);
        break;
    case WM_CHAR: {
        uint32_t code = static_cast<uint32_t>(wParam & 0xFFFF);
        if (code == 9 || code == 10 || code == 13 || code == 27 || inputState.paused)
            break;
        if (QV_Controller* target = KeyboardTarget())
            target->OnChar(&code);
        break;
    }
    case WM_MOUSEMOVE:
        inputState.mouseX = static_cast<int16_t>(LOWORD(lParam));
        inputState.mouseY = static_cast<int16_t>(HIWORD(lParam));
        RouteMouse(&QV_Controller::OnMouseMove);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        SetCapture(window);
        (message == WM_LBUTTONDOWN ? inputState.leftButton : inputState.rightButton) = true;
        RouteMouse(&QV_Controller::OnMouseDown);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        ReleaseCapture();
        (message == WM_LBUTTONUP ? inputState.leftButton : inputState.rightButton) = false;
        RouteMouse(&QV_Controller::OnMouseUp);
        break;
    case WM_MOUSEWHEEL: {
        uint32_t delta = HIWORD(wParam);
        if (QV_Controller* target = KeyboardTarget())
            target->OnMouseWheel(&delta);
        break;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
