#include "tests/platform/core/RecordingWindow.h"

std::vector<Received> RecordingWindow::received;
LRESULT RecordingWindow::createAnswer = 0;
const WCHAR* RecordingWindow::className = L"TessaryRecordingWindow";

namespace {

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RecordingWindow::received.push_back({window, message, wParam, lParam});
    if (message == WM_CREATE)
        return RecordingWindow::createAnswer;
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterRecordingClass() {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = RecordingProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = RecordingWindow::className;
    registered = RegisterClassExW(&windowClass) != 0;
}

const char* MessageName(UINT message) {
    switch (message) {
    case WM_CREATE:
        return "WM_CREATE";
    case WM_DESTROY:
        return "WM_DESTROY";
    case WM_SETFOCUS:
        return "WM_SETFOCUS";
    case WM_KILLFOCUS:
        return "WM_KILLFOCUS";
    case WM_CLOSE:
        return "WM_CLOSE";
    case WM_QUIT:
        return "WM_QUIT";
    case WM_ACTIVATEAPP:
        return "WM_ACTIVATEAPP";
    case WM_NCDESTROY:
        return "WM_NCDESTROY";
    case WM_KEYDOWN:
        return "WM_KEYDOWN";
    case WM_KEYUP:
        return "WM_KEYUP";
    case WM_CHAR:
        return "WM_CHAR";
    case WM_MOUSEMOVE:
        return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN:
        return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP:
        return "WM_LBUTTONUP";
    case WM_RBUTTONDOWN:
        return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP:
        return "WM_RBUTTONUP";
    case WM_MBUTTONDOWN:
        return "WM_MBUTTONDOWN";
    case WM_MBUTTONUP:
        return "WM_MBUTTONUP";
    case WM_MOUSEWHEEL:
        return "WM_MOUSEWHEEL";
    default:
        return nullptr;
    }
}

} // namespace

std::ostream& operator<<(std::ostream& out, const Message& message) {
    if (const char* name = MessageName(message.message))
        out << name;
    else
        out << "message 0x" << std::hex << message.message << std::dec;
    return out << "(wParam 0x" << std::hex << message.wParam << ", lParam 0x" << message.lParam << std::dec
               << ")";
}

RecordingWindow::RecordingWindow(DWORD style, int width, int height, const WCHAR* title) {
    RegisterRecordingClass();
    handle = CreateWindowExW(0, className, title, style, 0, 0, width, height, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
}

RecordingWindow::~RecordingWindow() {
    if (IsWindow(handle))
        DestroyWindow(handle);
}

std::vector<MSG> TakeAllMessages() {
    std::vector<MSG> taken;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        taken.push_back(message);
        if (message.message == WM_QUIT)
            break;
    }
    return taken;
}

std::vector<Message> TakeAllMessagesBrief() {
    std::vector<Message> brief;
    for (const MSG& message : TakeAllMessages())
        brief.push_back({message.message, message.wParam, message.lParam});
    return brief;
}

void DiscardAllMessages() {
    TakeAllMessages();
}
