#include "app/AppContext.h"
#include "app/Shell.h"

HWND mainWindow = nullptr;
int frameExtraWidth = 0;
int frameExtraHeight = 0;
AppContext* application = nullptr;
OverlayArea overlayArea;

HWND CreateMainWindow(HINSTANCE instance, bool shown) {
    // A window to be seen needs a display; without one the window is not made at all. A hidden
    // window, only drawn into, needs none.
    DEVMODEW display = {};
    display.dmSize = sizeof(DEVMODEW);
    if (shown && !EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &display))
        return nullptr;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"QV_BigGame";
    windowClass.hIconSm = LoadIconW(nullptr, IDI_WINLOGO);
    if (!RegisterClassExW(&windowClass))
        return nullptr;

    // A caption bar with a minimise box: no system menu, no close box, no sizing border.
    mainWindow = CreateWindowExW(WS_EX_APPWINDOW, L"QV_BigGame", L"QV作品---Tessary",
                                 WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_MINIMIZEBOX,
                                 0, 0, clientWidth, clientHeight, nullptr, nullptr, instance, nullptr);
    if (!mainWindow)
        return nullptr;

    // The frame and caption take part of the requested size; grow the window by exactly that much
    // so the client area is 1024 x 768 whatever the window manager's decorations measure.
    RECT client = {};
    GetClientRect(mainWindow, &client);
    frameExtraWidth = clientWidth - (client.right - client.left);
    frameExtraHeight = clientHeight - (client.bottom - client.top);
    MoveWindow(mainWindow, 0, 0, clientWidth + frameExtraWidth, clientHeight + frameExtraHeight, TRUE);
    if (!shown)
        return mainWindow;
    ShowWindow(mainWindow, SW_SHOW);
    UpdateWindow(mainWindow);
    return mainWindow;
}
