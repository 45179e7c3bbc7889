#include "platform/core/MessageQueue.h"
#include "platform/core/PlatformTesting.h"
#include "platform/core/WindowTable.h"

#include <algorithm>
#include <deque>

namespace platform_windowing {

namespace {

std::deque<MSG> queue;
bool quitPending = false;
int quitCode = 0;
POINT pointer = {0, 0};

MSG Stamp(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return MSG{window, message, wParam, lParam, GetTickCount(), pointer};
}

bool Passes(const MSG& message, HWND window, UINT filterMin, UINT filterMax) {
    if (window && message.hwnd != window)
        return false;
    if (filterMin == 0 && filterMax == 0)
        return true;
    return message.message >= filterMin && message.message <= filterMax;
}

} // namespace

void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    queue.push_back(Stamp(window, message, wParam, lParam));
}

void PostToQueueFront(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    queue.push_front(Stamp(window, message, wParam, lParam));
}

bool TakeMessage(MSG* message, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    auto found = std::find_if(queue.begin(), queue.end(), [&](const MSG& queued) {
        return Passes(queued, window, filterMin, filterMax);
    });
    if (found == queue.end())
        return false;
    *message = *found;
    if (remove)
        queue.erase(found);
    return true;
}

bool TakeQuit(MSG* message, bool remove) {
    if (!quitPending)
        return false;
    *message = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0, GetTickCount(), pointer};
    if (remove)
        quitPending = false;
    return true;
}

void DropMessagesFor(HWND window) {
    std::erase_if(queue, [window](const MSG& queued) { return queued.hwnd == window; });
}

void NotePointerPosition(POINT screen) {
    pointer = screen;
}

} // namespace platform_windowing

using namespace platform_windowing;

BOOL WINAPI PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A null window makes a thread message: queued, taken by GetMessageW, but dispatched to nobody.
    if (window && !LiveWindow(window))
        return FALSE;
    PostToQueue(window, message, wParam, lParam);
    return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) {
    quitPending = true;
    quitCode = exitCode;
}

namespace platform_testing {

size_t QueuedMessageCount() {
    return queue.size();
}

void DiscardQueuedMessages() {
    queue.clear();
}

bool QuitPending() {
    return quitPending;
}

void ClearQuit() {
    quitPending = false;
}

} // namespace platform_testing
