// Window rectangles, client rectangles, styles and z-order.
#include "platform/core/WindowPlacement.h"

#include <algorithm>

namespace platform_windowing {

namespace {

bool HasCaption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
}

bool IsTopmost(const WindowRecord& record) {
    return (record.exStyle & WS_EX_TOPMOST) != 0;
}

// Native windows cannot be empty; a zero client area keeps a 1 x 1 native window.
LONG NativeSize(LONG clientSize) {
    return std::max<LONG>(1, clientSize);
}

} // namespace

FrameInsets InsetsOf(DWORD style) {
    if (!HasCaption(style))
        return {};
    return {4, 27, 4, 4};
}

void SetGeometry(WindowRecord& record, int x, int y, int width, int height) {
    const FrameInsets insets = InsetsOf(record.style);
    record.frame = {x, y, x + width, y + height};
    record.clientWidth = std::max<LONG>(0, width - insets.left - insets.right);
    record.clientHeight = std::max<LONG>(0, height - insets.top - insets.bottom);
}

bool CreateNative(WindowRecord& record) {
    platform_backend::NativeWindowLook look;
    look.title = record.title.c_str();
    look.origin = ClientOrigin(record);
    look.width = NativeSize(record.clientWidth);
    look.height = NativeSize(record.clientHeight);
    look.visible = (record.style & WS_VISIBLE) != 0;
    look.captioned = HasCaption(record.style);
    look.topmost = IsTopmost(record);
    const platform_backend::NativeWindow created = platform_backend::CreateNativeWindow(look);
    if (!created)
        return false;
    record.native = created;
    return true;
}

void PlaceWindow(WindowRecord& record, int x, int y, int width, int height) {
    SetGeometry(record, x, y, width, height);
    platform_backend::PlaceNativeWindow(record.native, ClientOrigin(record), NativeSize(record.clientWidth),
                                        NativeSize(record.clientHeight));
}

POINT ClientOrigin(const WindowRecord& record) {
    const FrameInsets insets = InsetsOf(record.style);
    return {record.frame.left + insets.left, record.frame.top + insets.top};
}

void NoteClientMoved(WindowRecord& record, int x, int y) {
    const POINT origin = ClientOrigin(record);
    const LONG dx = x - origin.x;
    const LONG dy = y - origin.y;
    record.frame = {record.frame.left + dx, record.frame.top + dy, record.frame.right + dx,
                    record.frame.bottom + dy};
}

} // namespace platform_windowing

using namespace platform_windowing;

BOOL WINAPI GetClientRect(HWND window, RECT* rect) {
    const WindowRecord* record = LiveWindow(window);
    if (!record || !rect)
        return FALSE;
    *rect = {0, 0, record->clientWidth, record->clientHeight};
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND window, RECT* rect) {
    const WindowRecord* record = LiveWindow(window);
    if (!record || !rect)
        return FALSE;
    *rect = record->frame;
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL) {
    WindowRecord* record = LiveWindow(window);
    if (!record)
        return FALSE;
    PlaceWindow(*record, x, y, width, height);
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    WindowRecord* record = LiveWindow(window);
    if (!record)
        return FALSE;
    if (flags & SWP_NOMOVE) {
        x = record->frame.left;
        y = record->frame.top;
    }
    if (flags & SWP_NOSIZE) {
        width = record->frame.right - record->frame.left;
        height = record->frame.bottom - record->frame.top;
    }
    // A style changed with SetWindowLongW takes effect here, as it does on Windows.
    PlaceWindow(*record, x, y, width, height);
    if (!(flags & SWP_NOZORDER) && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)) {
        const bool topmost = insertAfter == HWND_TOPMOST;
        record->exStyle = topmost ? (record->exStyle | WS_EX_TOPMOST) : (record->exStyle & ~WS_EX_TOPMOST);
        platform_backend::RestyleNativeWindow(record->native, HasCaption(record->style), topmost);
    }
    return TRUE;
}

LONG WINAPI GetWindowLongW(HWND window, int index) {
    const WindowRecord* record = LiveWindow(window);
    if (!record)
        return 0;
    if (index == GWL_STYLE)
        return static_cast<LONG>(record->style);
    if (index == GWL_EXSTYLE)
        return static_cast<LONG>(record->exStyle);
    return 0;
}

LONG WINAPI SetWindowLongW(HWND window, int index, LONG value) {
    WindowRecord* record = LiveWindow(window);
    if (!record)
        return 0;
    const DWORD newValue = static_cast<DWORD>(value);
    if (index == GWL_STYLE) {
        const DWORD old = record->style;
        // Visibility belongs to ShowWindow; the caption shows at once, the frame size at the next
        // SetWindowPos or MoveWindow.
        record->style = (newValue & ~WS_VISIBLE) | (old & WS_VISIBLE);
        platform_backend::RestyleNativeWindow(record->native, HasCaption(record->style), IsTopmost(*record));
        return static_cast<LONG>(old);
    }
    if (index == GWL_EXSTYLE) {
        // WS_EX_TOPMOST is only a record of the z-order, which SetWindowPos changes.
        const DWORD old = record->exStyle;
        record->exStyle = (newValue & ~WS_EX_TOPMOST) | (old & WS_EX_TOPMOST);
        return static_cast<LONG>(old);
    }
    return 0;
}
