// The application shell: the process-wide state of the spine and the steps WinMain is made of.
// The modal loop of the message box runs the same frame step, so the steps are public.
#pragma once

#include "hypercube/WindowLens.h"
#include "platform/Win32.h"

#include <string>

class AppContext;

// Fixed size of the client area and of the 2-D overlay, in pixels: the lens's window.
constexpr int clientWidth = WindowLens::windowWidth;
constexpr int clientHeight = WindowLens::windowHeight;

extern HWND mainWindow;
extern int frameExtraWidth;     // clientWidth minus the client width measured right after creation
extern int frameExtraHeight;    // clientHeight minus the client height measured right after creation
extern AppContext* application; // owned by WinMain; null until start-up has created it

// The part of the overlay's clientWidth x clientHeight units that the viewport shows, y downwards:
// all of it in the window, one tile of it while a larger picture is drawn tile by tile.
struct OverlayArea {
    double left = 0.0;
    double top = 0.0;
    double right = clientWidth;
    double bottom = clientHeight;
};
extern OverlayArea overlayArea;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the class, creates and sizes the window and shows it unless `shown` is false (a picture
// drawn for the command line, which needs no display). Returns null on failure, and when the window
// is to be shown and there is no display.
HWND CreateMainWindow(HINSTANCE instance, bool shown = true);
// Creates the first screen and sets the viewport, the projection and the fixed GL state.
bool InitScene();
// The start-up of the window and of drawing into a file alike: the main window, shown or hidden,
// the AppContext with its GL context made current, and the first screen. False with one line in
// *reason, and nothing left standing, when the program cannot start.
bool StartProgram(HINSTANCE instance, bool shown, std::string* reason);
// Shutdown, then destroys the main window if it still stands.
void EndProgram();
// Loads the window's perspective as the projection matrix and leaves the modelview matrix current.
// A part of the view, given as its bounds in the window's normalised device coordinates (-1 to 1),
// is stretched over the whole viewport: the projection of one tile of a larger picture. The whole
// view is exactly the window's projection.
void LoadWindowProjection(double left = -1.0, double right = 1.0, double bottom = -1.0, double top = 1.0);
// Clears to the active screen's background colour and draws its scene, then the overlay: with `overlay` the
// screen's controls, the open message box and the frame counter, otherwise nothing in it (a picture of the
// scene alone, through the same passes and GL state).
void DrawFrame(bool overlay = true);
void BeginOverlay();
void EndOverlay();
// Scissors to a rectangle of the overlay, in overlay units, wherever overlayArea puts it.
void ScissorOverlay(int left, int top, int width, int height);

// The drawing half of the frame step: draw, swap, count the frame.
void PresentFrame();
// Takes every waiting message and dispatches it. Returns false when WM_QUIT was taken, which ends
// the draining; the exit code of the quit is stored in *exitCode when it is not null.
bool DrainMessages(int* exitCode = nullptr);
// Whether the frame step updates the active screen, which turns the cube for held keys: not while
// the program is paused (the window has lost the keyboard) and not while a message box is open.
bool ScreenUpdates();
// One turn of the main loop, and of the modal loop of the message box: sleep while paused, otherwise
// present a frame and update the active screen unless a message box is open; then drain. Returns
// false when WM_QUIT was taken, with its exit code in *exitCode when that is not null.
bool FrameStep(int* exitCode = nullptr);
// Deletes the AppContext.
void Shutdown();
