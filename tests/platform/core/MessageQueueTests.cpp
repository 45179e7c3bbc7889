// The message queue: posting, taking, filters, the quit request, translation, dispatch and the default
// handling of WM_CLOSE.
#include "platform/core/PlatformTesting.h"
#include "tests/platform/core/RecordingWindow.h"

#include <gtest/gtest.h>

namespace {

class MessageQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        DiscardAllMessages();
        platform_testing::ClearQuit();
        RecordingWindow::received.clear();
    }
    void TearDown() override {
        platform_testing::DiscardQueuedMessages();
        platform_testing::ClearQuit();
        platform_testing::UseRealTicks();
    }

    RecordingWindow window;
};

TEST_F(MessageQueueTest, PostedMessagesComeOutInOrderWithTheirArguments) {
    ASSERT_TRUE(PostMessageW(window.handle, WM_APP, 1, 10));
    ASSERT_TRUE(PostMessageW(window.handle, WM_KEYDOWN, '1', 0x1));
    ASSERT_TRUE(PostMessageW(window.handle, WM_APP + 1, 2, -20));
    EXPECT_EQ(platform_testing::QueuedMessageCount(), 3u);

    MSG message = {};
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.hwnd, window.handle);
    EXPECT_EQ((Message{message.message, message.wParam, message.lParam}), (Message{WM_APP, 1, 10}));
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ((Message{message.message, message.wParam, message.lParam}), (Message{WM_KEYDOWN, '1', 0x1}));
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ((Message{message.message, message.wParam, message.lParam}), (Message{WM_APP + 1, 2, -20}));
    EXPECT_EQ(platform_testing::QueuedMessageCount(), 0u);
}

TEST_F(MessageQueueTest, MessagesCarryTheTickCountOfTheirPosting) {
    platform_testing::SetManualTicks(777);
    PostMessageW(window.handle, WM_APP, 0, 0);
    platform_testing::AdvanceTicks(5);
    MSG message = {};
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.time, 777u);
}

TEST_F(MessageQueueTest, PeekWithoutRemoveNeitherBlocksNorTakes) {
    MSG message = {};
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) << "empty queue: answers at once";
    PostMessageW(window.handle, WM_APP, 7, 0);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_APP));
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.wParam, 7u) << "still there";
    EXPECT_EQ(platform_testing::QueuedMessageCount(), 1u);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(platform_testing::QueuedMessageCount(), 0u);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, FiltersSelectByWindowAndRange) {
    RecordingWindow other;
    PostMessageW(window.handle, WM_APP, 1, 0);
    PostMessageW(other.handle, WM_APP, 2, 0);
    PostMessageW(window.handle, WM_KEYDOWN, 3, 0);
    MSG message = {};
    ASSERT_TRUE(PeekMessageW(&message, other.handle, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.wParam, 2u);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_KEYDOWN, WM_CHAR, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_FALSE(PeekMessageW(&message, other.handle, 0, 0, PM_REMOVE));
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.wParam, 1u);
}

TEST_F(MessageQueueTest, QuitComesAfterThePostedMessagesWithItsExitCode) {
    PostMessageW(window.handle, WM_APP, 1, 0);
    PostQuitMessage(3);
    PostMessageW(window.handle, WM_APP, 2, 0);
    EXPECT_TRUE(platform_testing::QuitPending());

    MSG message = {};
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.wParam, 1u);
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.wParam, 2u) << "messages posted after the quit request still come first";
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) << "a pending quit counts as a message";
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), FALSE);
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_EQ(message.hwnd, nullptr);
    EXPECT_FALSE(platform_testing::QuitPending()) << "taking WM_QUIT ends the request, as on Windows";
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(MessageQueueTest, QuitIgnoresFiltersAndSurvivesDiscardingMessages) {
    PostQuitMessage(0);
    PostMessageW(window.handle, WM_APP, 0, 0);
    platform_testing::DiscardQueuedMessages();
    EXPECT_EQ(platform_testing::QueuedMessageCount(), 0u);
    EXPECT_TRUE(platform_testing::QuitPending());
    MSG message = {};
    ASSERT_TRUE(PeekMessageW(&message, window.handle, WM_KEYDOWN, WM_KEYUP, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    platform_testing::ClearQuit();
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(MessageQueueTest, TranslateMessagePutsControlCharactersNext) {
    PostMessageW(window.handle, WM_KEYDOWN, VK_BACK, 1);
    PostMessageW(window.handle, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(window.handle, WM_KEYDOWN, 'A', 1);
    PostMessageW(window.handle, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageW(window.handle, WM_KEYDOWN, VK_TAB, 1);
    PostMessageW(window.handle, WM_KEYUP, VK_TAB, 0xC0000001);

    std::vector<Message> seen;
    MSG message = {};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        seen.push_back({message.message, message.wParam, message.lParam});
        TranslateMessage(&message);
    }
    const std::vector<Message> expected = {
        {WM_KEYDOWN, VK_BACK, 1},
        {WM_CHAR, 8, 1},
        {WM_KEYDOWN, VK_RETURN, 1},
        {WM_CHAR, 13, 1},
        {WM_KEYDOWN, 'A', 1},
        {WM_KEYDOWN, VK_ESCAPE, 1},
        {WM_CHAR, 27, 1},
        {WM_KEYDOWN, VK_TAB, 1},
        {WM_CHAR, 9, 1},
        {WM_KEYUP, VK_TAB, 0xC0000001},
    };
    EXPECT_EQ(seen, expected);
}

TEST_F(MessageQueueTest, TranslateMessageAnswersForKeyMessagesOnly) {
    MSG message = {window.handle, WM_KEYDOWN, 'A', 1, 0, {}};
    EXPECT_TRUE(TranslateMessage(&message));
    message.message = WM_KEYUP;
    EXPECT_TRUE(TranslateMessage(&message));
    message.message = WM_MOUSEMOVE;
    EXPECT_FALSE(TranslateMessage(&message));
    EXPECT_EQ(platform_testing::QueuedMessageCount(), 0u);
}

TEST_F(MessageQueueTest, DispatchCallsTheWindowProcedureOnly) {
    PostMessageW(window.handle, WM_APP, 5, 6);
    PostMessageW(nullptr, WM_APP, 9, 9);
    MSG message = {};
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    DispatchMessageW(&message);
    ASSERT_EQ(RecordingWindow::received.size(), 1u);
    EXPECT_EQ(RecordingWindow::received[0].window, window.handle);
    EXPECT_EQ(RecordingWindow::received[0].message, static_cast<UINT>(WM_APP));
    EXPECT_EQ(RecordingWindow::received[0].wParam, 5u);
    EXPECT_EQ(RecordingWindow::received[0].lParam, 6);

    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.hwnd, nullptr) << "a thread message";
    EXPECT_EQ(message.wParam, 9u);
    DispatchMessageW(&message);
    EXPECT_EQ(RecordingWindow::received.size(), 1u) << "thread messages reach no window";
}

TEST_F(MessageQueueTest, DispatchHookSeesEachMessageBeforeTheProcedure) {
    std::vector<UINT> hooked;
    size_t receivedWhenHooked = 99;
    platform_testing::SetDispatchHook([&](const MSG& message) {
        hooked.push_back(message.message);
        receivedWhenHooked = RecordingWindow::received.size();
        if (message.message == WM_APP + 1)
            platform_testing::SetDispatchHook(nullptr); // a hook may remove itself
    });
    PostMessageW(window.handle, WM_APP, 0, 0);
    PostMessageW(window.handle, WM_APP + 1, 0, 0);
    PostMessageW(window.handle, WM_APP + 2, 0, 0);
    MSG message = {};
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    DispatchMessageW(&message);
    EXPECT_EQ(receivedWhenHooked, 0u) << "the hook runs before the window procedure";
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    platform_testing::SetDispatchHook(nullptr);
    EXPECT_EQ(hooked, (std::vector<UINT>{WM_APP, WM_APP + 1}));
    EXPECT_EQ(RecordingWindow::received.size(), 3u);
}

TEST_F(MessageQueueTest, DefaultHandlingOfCloseDestroysTheWindow) {
    PostMessageW(window.handle, WM_CLOSE, 0, 0);
    PostMessageW(window.handle, WM_APP, 0, 0);
    MSG message = {};
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    ASSERT_EQ(message.message, static_cast<UINT>(WM_CLOSE));
    DispatchMessageW(&message);

    std::vector<UINT> seen;
    for (const Received& received : RecordingWindow::received)
        seen.push_back(received.message);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(IsWindow(window.handle));
    EXPECT_EQ(platform_testing::QueuedMessageCount(), 0u) << "the rest of its messages went with it";
    EXPECT_EQ(DefWindowProcW(window.handle, WM_APP, 0, 0), 0);
}

TEST_F(MessageQueueTest, ProgramStyleShutdownEndsWithQuitAfterTheWindowIsGone) {
    // The program's loop and window procedure: WM_CLOSE asks to quit, its default handling destroys
    // the window, and the next turn of the loop takes WM_QUIT.
    PostMessageW(window.handle, WM_CLOSE, 0, 0);
    int exitCode = -1;
    MSG message = {};
    for (int turn = 0; turn < 10 && exitCode < 0; ++turn) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageW(&message, nullptr, 0, 0)) {
                exitCode = static_cast<int>(message.wParam);
                break;
            }
            TranslateMessage(&message);
            if (message.message == WM_CLOSE)
                PostQuitMessage(0);
            DispatchMessageW(&message);
        }
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(IsWindow(window.handle));
}

} // namespace
