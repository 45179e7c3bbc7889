// Window classes, creation, placement, styles, titles and destruction.
#include "platform/core/PlatformTesting.h"
#include "tests/platform/core/RecordingWindow.h"

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK PlainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

WNDCLASSEXW PlainClass(const WCHAR* name) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = PlainProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = name;
    return windowClass;
}

HWND CreatePlain(const WCHAR* className, DWORD style = WS_POPUP) {
    return CreateWindowExW(0, className, L"plain", style, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
}

constexpr DWORD mainWindowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_MINIMIZEBOX;

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { RecordingWindow::received.clear(); }
    void TearDown() override {
        RecordingWindow::createAnswer = 0;
        DiscardAllMessages();
        EXPECT_EQ(platform_testing::CountLiveObjects().windows, 0) << "a test left a window behind";
    }
};

TEST_F(WindowTest, ClassNamesAreUniqueUntilUnregistered) {
    const WNDCLASSEXW windowClass = PlainClass(L"TessaryPlainClass");
    const ATOM atom = RegisterClassExW(&windowClass);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(RegisterClassExW(&windowClass), 0) << "a second class of the same name";
    const WNDCLASSEXW otherCase = PlainClass(L"tessaryplainclass");
    EXPECT_EQ(RegisterClassExW(&otherCase), 0) << "class names ignore case";

    const HWND window = CreatePlain(L"TessaryPlainClass");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(UnregisterClassW(L"TessaryPlainClass", nullptr)) << "the class still has a window";
    DestroyWindow(window);
    EXPECT_TRUE(UnregisterClassW(L"TessaryPlainClass", nullptr));
    EXPECT_EQ(CreatePlain(L"TessaryPlainClass"), nullptr) << "an unregistered class makes no windows";
    EXPECT_NE(RegisterClassExW(&windowClass), 0) << "the name is free again";
    EXPECT_TRUE(UnregisterClassW(L"TessaryPlainClass", nullptr));
}

TEST_F(WindowTest, RegistrationNeedsProcedureAndName) {
    WNDCLASSEXW noProcedure = PlainClass(L"TessaryNoProcedure");
    noProcedure.lpfnWndProc = nullptr;
    EXPECT_EQ(RegisterClassExW(&noProcedure), 0);
    const WNDCLASSEXW noName = PlainClass(L"");
    EXPECT_EQ(RegisterClassExW(&noName), 0);
    EXPECT_EQ(RegisterClassExW(nullptr), 0);
    EXPECT_EQ(CreatePlain(L"TessaryNeverRegistered"), nullptr);
}

TEST_F(WindowTest, ClassAtomNamesTheClassToo) {
    const WNDCLASSEXW windowClass = PlainClass(L"TessaryAtomClass");
    const ATOM atom = RegisterClassExW(&windowClass);
    ASSERT_NE(atom, 0);
    const HWND window = CreatePlain(MAKEINTRESOURCEW(atom));
    EXPECT_NE(window, nullptr);
    DestroyWindow(window);
    EXPECT_TRUE(UnregisterClassW(L"TessaryAtomClass", nullptr));
}

TEST_F(WindowTest, PopupWithoutCaptionHasNoFrame) {
    RecordingWindow window(WS_POPUP, 640, 480);
    RECT client = {}, frame = {};
    ASSERT_TRUE(GetClientRect(window.handle, &client));
    ASSERT_TRUE(GetWindowRect(window.handle, &frame));
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    EXPECT_EQ(frame.right - frame.left, 640);
    EXPECT_EQ(frame.bottom - frame.top, 480);
}

TEST_F(WindowTest, CreationSendsWmCreateAndMinusOneRefusesTheWindow) {
    {
        RecordingWindow window;
        ASSERT_NE(window.handle, nullptr);
        ASSERT_FALSE(RecordingWindow::received.empty());
        EXPECT_EQ(RecordingWindow::received.front().message, static_cast<UINT>(WM_CREATE));
        EXPECT_EQ(RecordingWindow::received.front().window, window.handle);
    }
    RecordingWindow::received.clear();
    RecordingWindow::createAnswer = -1;
    RecordingWindow refused;
    EXPECT_EQ(refused.handle, nullptr);
    ASSERT_EQ(RecordingWindow::received.size(), 3u) << "WM_CREATE, then the destruction";
    EXPECT_EQ(RecordingWindow::received[1].message, static_cast<UINT>(WM_DESTROY));
    EXPECT_EQ(RecordingWindow::received[2].message, static_cast<UINT>(WM_NCDESTROY));
}

TEST_F(WindowTest, ShowWindowReportsPreviousVisibilityInStyle) {
    RecordingWindow window(mainWindowStyle);
    EXPECT_EQ(GetWindowLongW(window.handle, GWL_STYLE), static_cast<LONG>(mainWindowStyle))
        << "created hidden";
    EXPECT_FALSE(ShowWindow(window.handle, SW_SHOW)) << "was hidden";
    EXPECT_TRUE(GetWindowLongW(window.handle, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(ShowWindow(window.handle, SW_SHOW)) << "was visible";
    EXPECT_TRUE(UpdateWindow(window.handle));
    EXPECT_TRUE(ShowWindow(window.handle, SW_HIDE));
    EXPECT_FALSE(GetWindowLongW(window.handle, GWL_STYLE) & WS_VISIBLE);
}

// The windowed branch of the display-mode switch, and its full-screen counterpart.
TEST_F(WindowTest, StyleChangesTakeEffectAtSetWindowPos) {
    RecordingWindow window(mainWindowStyle, 1032, 799);
    const LONG style = GetWindowLongW(window.handle, GWL_STYLE);
    EXPECT_EQ(SetWindowLongW(window.handle, GWL_STYLE, style & ~static_cast<LONG>(WS_CAPTION)), style)
        << "SetWindowLongW answers the old value";
    EXPECT_EQ(SetWindowLongW(window.handle, GWL_EXSTYLE, static_cast<LONG>(WS_EX_APPWINDOW | WS_EX_TOPMOST)),
              0);
    EXPECT_EQ(GetWindowLongW(window.handle, GWL_EXSTYLE), static_cast<LONG>(WS_EX_APPWINDOW))
        << "topmost is a z-order, changed only by SetWindowPos";
    ASSERT_TRUE(SetWindowPos(window.handle, HWND_TOPMOST, 0, 0, 1024, 768, 0));
    EXPECT_EQ(GetWindowLongW(window.handle, GWL_EXSTYLE), static_cast<LONG>(WS_EX_APPWINDOW | WS_EX_TOPMOST));
    RECT client = {};
    GetClientRect(window.handle, &client);
    EXPECT_EQ(client.right, 1024) << "without a caption the whole window is client area";
    EXPECT_EQ(client.bottom, 768);

    SetWindowLongW(window.handle, GWL_STYLE, style);
    ASSERT_TRUE(SetWindowPos(window.handle, HWND_NOTOPMOST, 0, 0, 1032, 799, 0));
    EXPECT_EQ(GetWindowLongW(window.handle, GWL_EXSTYLE), static_cast<LONG>(WS_EX_APPWINDOW));
    GetClientRect(window.handle, &client);
    EXPECT_EQ(client.right, 1024);
    EXPECT_EQ(client.bottom, 768);
}

TEST_F(WindowTest, DestroyWindowSendsDestroyThenNcDestroyAndEndsTheHandle) {
    RecordingWindow window;
    const HWND handle = window.handle;
    RecordingWindow::received.clear();
    PostMessageW(handle, WM_APP, 1, 2);
    ASSERT_TRUE(DestroyWindow(handle));

    ASSERT_EQ(RecordingWindow::received.size(), 2u);
    EXPECT_EQ(RecordingWindow::received[0].message, static_cast<UINT>(WM_DESTROY));
    EXPECT_EQ(RecordingWindow::received[1].message, static_cast<UINT>(WM_NCDESTROY));
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(DestroyWindow(handle)) << "a second time";
    RECT rect = {};
    EXPECT_FALSE(GetClientRect(handle, &rect));
    EXPECT_FALSE(GetWindowRect(handle, &rect));
    EXPECT_FALSE(MoveWindow(handle, 0, 0, 10, 10, TRUE));
    EXPECT_FALSE(PostMessageW(handle, WM_APP, 0, 0));
    EXPECT_EQ(GetDC(handle), nullptr);
    EXPECT_EQ(platform_testing::QueuedMessageCount(), 0u) << "the destroyed window's messages are gone";
}

TEST_F(WindowTest, HandlesAreNotReused) {
    HWND first = nullptr;
    {
        RecordingWindow window;
        first = window.handle;
    }
    RecordingWindow second;
    EXPECT_NE(second.handle, first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(second.handle));
    EXPECT_FALSE(IsWindow(nullptr));
}

TEST_F(WindowTest, ChildWindowsAreRefused) {
    RecordingWindow parent;
    const HWND child = CreateWindowExW(0, RecordingWindow::className, L"child", 0, 0, 0, 10, 10,
                                       parent.handle, nullptr, nullptr, nullptr);
    EXPECT_EQ(child, nullptr);
}

} // namespace
