// A window of its own class whose procedure records every message it receives, and helpers to take
// and describe messages, for tests of the windowing layer.
#pragma once

#include "platform/Win32.h"

#include <cstdint>
#include <ostream>
#include <vector>

// One message as a test compares it: what, with which arguments.
struct Message {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;

    bool operator==(const Message&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Message& message);

// lParam of key messages: a first press, an auto-repeated one, a release (repeat count 1, bit 30 the
// key was down, bit 31 it is going up).
constexpr LPARAM firstPress = 0x00000001;
constexpr LPARAM repeatedPress = 0x40000001;
constexpr LPARAM release = 0xC0000001;

// A mouse message's point as lParam and a wheel message's wParam, for expected messages.
inline LPARAM Point(int x, int y) {
    return MAKELPARAM(x, y);
}
inline WPARAM Wheel(int delta, WPARAM flags = 0) {
    return MAKEWPARAM(flags, delta);
}

// A message as the window procedure saw it.
struct Received {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class RecordingWindow {
public:
    // Registers the recording class on first use and creates a hidden window of it.
    explicit RecordingWindow(DWORD style = WS_POPUP, int width = 320, int height = 240,
                             const WCHAR* title = L"recording");
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND handle = nullptr;

    // Everything the recording procedure has received, oldest first; tests clear it as they need.
    static std::vector<Received> received;
    // What the procedure answers to WM_CREATE (-1 refuses the window).
    static LRESULT createAnswer;
    static const WCHAR* className;
};

// Takes every waiting message with PeekMessageW(PM_REMOVE), including a quit.
std::vector<MSG> TakeAllMessages();
// The same, reduced to what tests compare.
std::vector<Message> TakeAllMessagesBrief();
// Takes and drops every waiting message, the back end's pending events included.
void DiscardAllMessages();
