// The windows handed out by CreateWindowExW. A handle is a number that is never reused, so a stale
// handle is simply unknown. After DestroyWindow the record stays, hidden and no longer a window, for
// as long as a device context or GL context still uses its native window: the program deletes its
// GL textures after the window is gone, with the context still current.
#pragma once

#include "platform/Win32.h"
#include "platform/core/Backend.h"

#include <string>
#include <vector>

namespace platform_windowing {

struct WindowRecord {
    platform_backend::NativeWindow native = nullptr; // owned: the back end's window
    WNDPROC procedure = nullptr;                     // not owned: a function of the program
    ATOM classAtom = 0;
    std::wstring title;
    DWORD style = 0; // WS_VISIBLE follows ShowWindow
    DWORD exStyle = 0;
    RECT frame = {};      // window rectangle, frame included, in screen coordinates
    LONG clientWidth = 0; // the native window's size
    LONG clientHeight = 0;
    int pixelFormat = 0;     // 0 until SetPixelFormat
    int users = 0;           // device and GL contexts that still use the native window
    bool destroying = false; // DestroyWindow is sending WM_DESTROY and WM_NCDESTROY
    bool destroyed = false;  // no longer a window; waits for its users to go
};

// Takes the record and returns its new handle.
HWND AddWindow(WindowRecord record);

// The record of a window that exists (IsWindow); null for unknown, destroyed and null handles.
WindowRecord* LiveWindow(HWND window);

// Also a destroyed window whose native window is still kept for its device or GL contexts.
WindowRecord* AnyWindow(HWND window);

// The live window shown by this native window; null when none (also for a null native window).
HWND WindowFromNative(platform_backend::NativeWindow native);

// Every live window, oldest first.
std::vector<HWND> LiveWindows();

int LiveWindowCount();
int WindowsOfClass(ATOM classAtom);

// A device or GL context starts or stops using the window's native window.
void RetainWindow(HWND window);
void ReleaseWindow(HWND window);

// Ends the window's life as a window; its native window goes as soon as nothing uses it.
void MarkDestroyed(HWND window);

} // namespace platform_windowing
