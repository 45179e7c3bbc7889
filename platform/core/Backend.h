// The seam between the Win32 core and the windowing system under it. The core (this folder) keeps
// every Win32 rule: window records and handles, the notional frame, the message queue, capture and
// cursor state, device and GL context handles, the record of system message boxes. A back end only
// drives the real thing, through the functions below; exactly one back end is linked, chosen with
// the CMake variable TESSARY_PLATFORM (platform/<name>/platform.cmake).
//
// Input needs no function here: a back end reports it, for the native window it belongs to, to the
// core's input module (platform/core/Input.h), which makes the messages. Besides these two headers a
// back end may use the core's UTF-16 conversions (platform/core/Utf16Text.h), nothing else of the
// core. Everything runs on the one program thread.
//
// No type of a third-party library crosses this header: native objects are opaque handles that only
// the back end looks inside.
#pragma once

#include "platform/Win32.h"

namespace platform_backend {

struct NativeWindowObject;
using NativeWindow = NativeWindowObject*; // the back end's own window (an SDL window, a canvas)
struct NativeGlContextObject;
using NativeGlContext = NativeGlContextObject*;

// A native window is the client area alone; the core keeps the frame around it.
struct NativeWindowLook {
    const WCHAR* title = L"";
    POINT origin = {}; // top-left corner of the client area, in screen coordinates
    LONG width = 1;    // client size, never less than 1 x 1
    LONG height = 1;
    bool visible = false;
    bool captioned = false; // a caption bar and frame from the window manager; false: borderless
    bool topmost = false;   // above every other window
};

// The cursors the core can ask for; also what platform_testing::CurrentCursor reports.
enum class SystemCursor { Hidden, Arrow, IBeam };

// Starts the windowing system, once per process (later calls answer at once). False when it cannot
// start, for example without a display. Windows, display modes and events all need it.
// `screenNeeded` false asks for a window that stays hidden, which is only drawn into: a back end
// whose windows need a display may then start without one (SDL's offscreen driver). Once started
// so, it answers false to every later call that needs a screen.
bool StartVideo(bool screenNeeded = true);

// Feeds every event already waiting into the message queue, without blocking. Does nothing before
// StartVideo.
void PumpEvents();

// Waits up to `timeoutMs` for an event and feeds it into the queue; false when none came. Before
// StartVideo it only waits. A back end that must not block (a browser tab) yields to its host for
// that long instead and feeds whatever arrived meanwhile.
bool WaitForEvents(int timeoutMs);

// Sleeps the program's thread; a browser back end yields to its host instead.
void SleepMilliseconds(DWORD milliseconds);

// Creates a native window with an OpenGL drawable of the look's size, taking text input. Null, with
// the reason on stderr, when it cannot.
NativeWindow CreateNativeWindow(const NativeWindowLook& look);
void DestroyNativeWindow(NativeWindow window);
void ShowNativeWindow(NativeWindow window, bool visible);
// Moves the client area's corner to `origin` and sizes it (at least 1 x 1). The handle stays the
// window's, whatever the back end puts behind it.
void PlaceNativeWindow(NativeWindow window, POINT origin, LONG width, LONG height);
// Applies a changed caption and z-order to a window that exists.
void RestyleNativeWindow(NativeWindow window, bool captioned, bool topmost);

// Creates a GL context for the window's drawable (RGBA8, depth 24, double-buffered, a compatibility
// profile for OpenGL 1.1 and GLU). It does not change which context is current. Null on failure,
// with the reason on stderr.
NativeGlContext CreateGlContext(NativeWindow window);
// Makes the context current on the window. A null context makes none current, whatever the window
// (which may then be null too). The window may be hidden, its Win32 window destroyed, as long as the
// core still keeps it.
bool MakeGlContextCurrent(NativeWindow window, NativeGlContext context);
// Deletes the context, first making none current when it is the current one.
void DeleteGlContext(NativeGlContext context);
// Presents the back buffer and makes sure the frame's commands are carried out.
void SwapGlBuffers(NativeWindow window);

// Keeps the pointer's moves and releases coming while a button is held outside the window, where
// the system can. Does nothing before StartVideo.
void CaptureMouse(bool capture);
// Shows the cursor over the program's windows; Hidden hides the pointer. Does nothing before
// StartVideo (the core applies its choice again with the next SetCursor).
void ApplyCursor(SystemCursor cursor);

// Shows a modal system dialog over `owner` (null: no owner) with MB_OK or MB_OKCANCEL and, with
// MB_ICONERROR, an error icon. Returns IDOK or IDCANCEL; 0 when no dialog can be shown.
int ShowNativeMessageBox(NativeWindow owner, const WCHAR* text, const WCHAR* caption, UINT type);

// Which display mode GetDisplayMode describes: an index into the primary display's list of modes, or
// one of these two.
constexpr int currentDisplayMode = -1; // the mode the display is in now
constexpr int desktopDisplayMode = -2; // the mode the desktop is set to keep

// Fills the size (dmPelsWidth, dmPelsHeight), depth (dmBitsPerPel, counting the padding byte of
// 32-bit formats as Windows does) and refresh rate of a mode of the primary display, and dmFields.
// False when there is no such mode.
bool GetDisplayMode(int mode, DEVMODEW& description);

// Releases what the back end keeps for the whole process, so that a leak checker at exit sees
// only what the program itself forgot. The core calls it last, from ShutdownPlatform.
void ShutdownBackend();

} // namespace platform_backend
