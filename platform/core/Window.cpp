// Creating, showing and destroying windows. Each window is a native window of the back end with an
// OpenGL drawable; the window procedure of its class receives what the message queue dispatches to
// it and the messages sent directly on creation and destruction.
#include "platform/core/Backend.h"
#include "platform/core/MessageQueue.h"
#include "platform/core/WindowClass.h"
#include "platform/core/WindowPlacement.h"
#include "platform/core/WindowTable.h"

#include <algorithm>

using namespace platform_windowing;

HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU, HINSTANCE, LPVOID) {
    // Child windows are outside what this layer offers: the program has one top-level window. A
    // window created hidden needs no display until it is shown; one that is never shown (a picture
    // drawn into a file) works where there is none.
    const WNDPROC procedure = ClassProcedure(className);
    if (!procedure || parent || !platform_backend::StartVideo((style & WS_VISIBLE) != 0))
        return nullptr;

    WindowRecord record;
    record.procedure = procedure;
    record.classAtom = ClassAtom(className);
    record.title = windowName ? windowName : L"";
    record.style = style & ~WS_VISIBLE;
    record.exStyle = exStyle;
    SetGeometry(record, x, y, width, height);
    if (!CreateNative(record))
        return nullptr;
    const HWND window = AddWindow(std::move(record));

    // As on Windows the procedure sees WM_CREATE before the caller gets the handle, and -1 refuses the
    // window. There is no CREATESTRUCTW in this subset, so lParam is 0.
    if (procedure(window, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    if (style & WS_VISIBLE)
        ShowWindow(window, SW_SHOW);
    return window;
}

BOOL WINAPI DestroyWindow(HWND window) {
    WindowRecord* record = LiveWindow(window);
    if (!record || record->destroying)
        return FALSE;
    record->destroying = true;
    const WNDPROC procedure = record->procedure;
    platform_backend::ShowNativeWindow(record->native, false);
    record->style &= ~WS_VISIBLE;
    if (GetCapture() == window)
        ReleaseCapture();

    // Sent, not posted: the procedure runs before DestroyWindow returns. It may run anything, so the
    // record is not touched after these calls; what it posts to the dying window is dropped.
    procedure(window, WM_DESTROY, 0, 0);
    procedure(window, WM_NCDESTROY, 0, 0);
    DropMessagesFor(window);
    MarkDestroyed(window);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND window) {
    return LiveWindow(window) ? TRUE : FALSE;
}

BOOL WINAPI ShowWindow(HWND window, int command) {
    WindowRecord* record = LiveWindow(window);
    if (!record)
        return FALSE;
    const bool wasVisible = (record->style & WS_VISIBLE) != 0;
    const bool visible = command != SW_HIDE;
    platform_backend::ShowNativeWindow(record->native, visible);
    record->style = visible ? (record->style | WS_VISIBLE) : (record->style & ~WS_VISIBLE);
    return wasVisible ? TRUE : FALSE;
}

// There is no WM_PAINT in this subset: the program redraws the whole window every frame.
BOOL WINAPI UpdateWindow(HWND window) {
    return LiveWindow(window) ? TRUE : FALSE;
}

int WINAPI GetWindowTextW(HWND window, LPWSTR text, int capacity) {
    const WindowRecord* record = LiveWindow(window);
    if (!record || !text || capacity <= 0)
        return 0;
    const int length = std::min(static_cast<int>(record->title.size()), capacity - 1);
    record->title.copy(text, static_cast<size_t>(length));
    text[length] = 0;
    return length;
}
