// Taking messages from the queue, translating and dispatching them, and the default handling.
#include "platform/core/Backend.h"
#include "platform/core/MessageQueue.h"
#include "platform/core/PlatformTesting.h"
#include "platform/core/WindowTable.h"

#include <utility>

using namespace platform_windowing;

namespace {

// How long GetMessageW waits for the back end's events at a time before looking at the queue again.
constexpr int waitSliceMs = 100;

platform_testing::DispatchHook dispatchHook;

} // namespace

BOOL WINAPI PeekMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (!message)
        return FALSE;
    platform_backend::PumpEvents();
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    // WM_QUIT comes only when no other message is waiting, and whatever the filters say.
    if (TakeMessage(message, window, filterMin, filterMax, remove) || TakeQuit(message, remove))
        return TRUE;
    return FALSE;
}

BOOL WINAPI GetMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax) {
    if (!message)
        return FALSE;
    for (;;) {
        platform_backend::PumpEvents();
        if (TakeMessage(message, window, filterMin, filterMax, true))
            return message->message == WM_QUIT ? FALSE : TRUE;
        if (TakeQuit(message, true))
            return FALSE;
        platform_backend::WaitForEvents(waitSliceMs);
    }
}

BOOL WINAPI TranslateMessage(const MSG* message) {
    if (!message || (message->message != WM_KEYDOWN && message->message != WM_KEYUP))
        return FALSE;
    // The characters of these keys come with no text from the back ends; Windows makes them here and
    // they are the next message taken.
    if (message->message == WM_KEYDOWN) {
        WPARAM character = 0;
        switch (message->wParam) {
        case VK_BACK:
            character = 8;
            break;
        case VK_TAB:
            character = 9;
            break;
        case VK_RETURN:
            character = 13;
            break;
        case VK_ESCAPE:
            character = 27;
            break;
        default:
            break;
        }
        if (character != 0)
            PostToQueueFront(message->hwnd, WM_CHAR, character, message->lParam);
    }
    // Windows answers nonzero for every key message, translated or not.
    return TRUE;
}

LRESULT WINAPI DispatchMessageW(const MSG* message) {
    if (!message)
        return 0;
    if (dispatchHook) {
        // A copy, so that the hook may replace or remove itself while it runs.
        const platform_testing::DispatchHook hook = dispatchHook;
        hook(*message);
    }
    // Thread messages (null window) and messages of windows destroyed since they were queued go to
    // nobody.
    const WindowRecord* record = LiveWindow(message->hwnd);
    if (!record)
        return 0;
    return record->procedure(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT WINAPI DefWindowProcW(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE)
        DestroyWindow(window);
    return 0;
}

namespace platform_testing {

void SetDispatchHook(DispatchHook hook) {
    dispatchHook = std::move(hook);
}

} // namespace platform_testing
