// Window rectangles, client rectangles, styles and z-order.
#include "platform/core/WindowPlacement.h"
#include "platform/core/Utf16Text.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

namespace platform_windowing {

namespace {

// SetWindowPos flags the program does not use but that callers of SetWindowPos rely on.
constexpr UINT swpNoSize = 0x0001;
constexpr UINT swpNoMove = 0x0002;
constexpr UINT swpNoZOrder = 0x0004;

bool HasCaption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
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

bool CreateSdlWindow(WindowRecord& record) {
    Uint32 flags = SDL_WINDOW_OPENGL;
    if (!(record.style & visibleStyle))
        flags |= SDL_WINDOW_HIDDEN;
    if (!HasCaption(record.style))
        flags |= SDL_WINDOW_BORDERLESS;
    if (record.exStyle & WS_EX_TOPMOST)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    const POINT origin = ClientOrigin(record);
    // SDL has no empty windows; a zero client area keeps a 1 x 1 SDL window.
    SDL_Window* created = SDL_CreateWindow(Utf16ToUtf8(record.title.c_str()).c_str(), origin.x, origin.y,
                                           std::max<LONG>(1, record.clientWidth),
                                           std::max<LONG>(1, record.clientHeight), flags);
    if (!created) {
        std::fprintf(stderr, "SDL window could not be created: %s\n", SDL_GetError());
        return false;
    }
    if (record.sdlWindow)
        SDL_DestroyWindow(record.sdlWindow);
    record.sdlWindow = created;
    record.sdlWindowId = SDL_GetWindowID(created);
    return true;
}

void PlaceWindow(WindowRecord& record, int x, int y, int width, int height) {
    const LONG oldWidth = record.clientWidth;
    const LONG oldHeight = record.clientHeight;
    SetGeometry(record, x, y, width, height);
    const bool resized = record.clientWidth != oldWidth || record.clientHeight != oldHeight;
    // Some video drivers (the offscreen one) give a window a drawable of its first size for good. The
    // program sizes its window before showing it or drawing in it, so a hidden window that no device
    // or GL context uses yet simply gets a new SDL window of the right size.
    if (resized && !(record.style & visibleStyle) && record.users == 0 && CreateSdlWindow(record))
        return;
    SDL_SetWindowSize(record.sdlWindow, std::max<LONG>(1, record.clientWidth),
                      std::max<LONG>(1, record.clientHeight));
    const POINT origin = ClientOrigin(record);
    SDL_SetWindowPosition(record.sdlWindow, origin.x, origin.y);
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
    if (flags & swpNoMove) {
        x = record->frame.left;
        y = record->frame.top;
    }
    if (flags & swpNoSize) {
        width = record->frame.right - record->frame.left;
        height = record->frame.bottom - record->frame.top;
    }
    // A style changed with SetWindowLongW takes effect here, as it does on Windows.
    PlaceWindow(*record, x, y, width, height);
    if (!(flags & swpNoZOrder) && (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)) {
        const bool topmost = insertAfter == HWND_TOPMOST;
        record->exStyle = topmost ? (record->exStyle | WS_EX_TOPMOST) : (record->exStyle & ~WS_EX_TOPMOST);
        SDL_SetWindowAlwaysOnTop(record->sdlWindow, topmost ? SDL_TRUE : SDL_FALSE);
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
        record->style = (newValue & ~visibleStyle) | (old & visibleStyle);
        SDL_SetWindowBordered(record->sdlWindow, HasCaption(record->style) ? SDL_TRUE : SDL_FALSE);
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
