// A running application shell inside the test process: the real main window, AppContext, frame step
// and window procedure, driven by posted messages and the manual tick clock.
#pragma once

#include "app/AppContext.h"
#include "app/InputState.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "gui/QV_Screen.h"
#include "platform/core/PlatformTesting.h"

#include <gtest/gtest.h>

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        platform_testing::DiscardQueuedMessages();
        platform_testing::ClearQuit();
        platform_testing::SetManualTicks(1000);
        inputState = InputState{};
        ASSERT_NE(CreateMainWindow(GetModuleHandleW(nullptr)), nullptr) << "main window";
        application = new AppContext();
        ASSERT_NE(application->glContext, nullptr) << "GL context";
    }

    void TearDown() override {
        if (application)
            Shutdown();
        if (mainWindow && IsWindow(mainWindow))
            DestroyWindow(mainWindow);
        UnregisterClassW(L"QV_BigGame", GetModuleHandleW(nullptr));
        mainWindow = nullptr;
        platform_testing::DiscardQueuedMessages();
        platform_testing::ClearQuit();
        platform_testing::UseRealTicks();
        inputState = InputState{};
    }

    ScreenManager& Manager() { return *application->screenManager; }

    // Installs the screen as screen 0 and makes it active; the manager owns it from now on.
    template <class Screen> Screen* InstallScreen(Screen* screen) {
        Manager().AddScreen(screen);
        Manager().current = 0;
        return screen;
    }

    // Sends a message through the real window procedure, as DispatchMessageW would.
    static LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return WindowProc(mainWindow, message, wParam, lParam);
    }
    static void MoveMouse(int x, int y) { Send(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    static void Click(int x, int y) {
        MoveMouse(x, y);
        Send(WM_LBUTTONDOWN, 0, MAKELPARAM(x, y));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static void Type(const wchar_t* text) {
        for (const wchar_t* c = text; *c; ++c)
            Send(WM_CHAR, static_cast<WPARAM>(*c), 0);
    }
    static void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        PostMessageW(mainWindow, message, wParam, lParam);
    }
};
