// System message boxes and display modes: what the program's failure reports and its display-mode
// switch get from the layer in a headless run.
#include "platform/core/PlatformTesting.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemMessageBox, SuppressedBoxIsRecordedPrintedAndAnsweredOk) {
    platform_testing::SuppressSystemDialogs(true);
    const int before = platform_testing::SystemMessageBoxCount();
    ::testing::internal::CaptureStderr();
    const int answer = MessageBoxW(nullptr, L"错误！！", L"ChoosePixelFormat出错！！", MB_ICONERROR);
    const std::string printed = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(platform_testing::SystemMessageBoxCount(), before + 1);
    EXPECT_EQ(platform_testing::LastSystemMessageBoxText(), L"错误！！");
    EXPECT_EQ(platform_testing::LastSystemMessageBoxCaption(), L"ChoosePixelFormat出错！！");
    EXPECT_EQ(printed, "ChoosePixelFormat\xE5\x87\xBA\xE9\x94\x99\xEF\xBC\x81\xEF\xBC\x81: "
                       "\xE9\x94\x99\xE8\xAF\xAF\xEF\xBC\x81\xEF\xBC\x81\n");
}

TEST(SystemMessageBox, EveryBoxIsCountedEvenWithCancel) {
    platform_testing::SuppressSystemDialogs(true);
    const int before = platform_testing::SystemMessageBoxCount();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxW(nullptr, L"first", L"one", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, L"second", L"two", MB_OKCANCEL), IDOK);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(platform_testing::SystemMessageBoxCount(), before + 2);
    EXPECT_EQ(platform_testing::LastSystemMessageBoxText(), L"second");
}

TEST(DisplayMode, DesktopModeIsKeptAndFullScreenRefused) {
    EXPECT_EQ(ChangeDisplaySettingsW(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    DEVMODEW mode = {};
    mode.dmSize = 220;
    ASSERT_TRUE(EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_GT(mode.dmPelsWidth, 0u);
    EXPECT_GT(mode.dmPelsHeight, 0u);
    EXPECT_EQ(mode.dmFields & (DM_PELSWIDTH | DM_PELSHEIGHT),
              static_cast<DWORD>(DM_PELSWIDTH | DM_PELSHEIGHT));
    mode.dmPelsWidth = 1024;
    mode.dmPelsHeight = 768;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    EXPECT_NE(ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(ChangeDisplaySettingsW(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
}

TEST(DisplayMode, OnlyThePrimaryDisplayIsKnown) {
    DEVMODEW mode = {};
    EXPECT_FALSE(EnumDisplaySettingsW(L"\\\\.\\DISPLAY2", ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_FALSE(EnumDisplaySettingsW(nullptr, 100000, &mode)) << "past the last mode";
}

} // namespace
