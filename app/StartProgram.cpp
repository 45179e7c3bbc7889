#include "app/AppContext.h"
#include "app/Shell.h"

bool StartProgram(HINSTANCE instance, bool shown, std::string* reason) {
    // Without a window or a GL context nothing can be shown at all: the caller says so and fails,
    // rather than ending silently with the exit code of success.
    if (!CreateMainWindow(instance, shown)) {
        *reason = shown ? "cannot create the main window (is a display available?)"
                        : "cannot create a hidden window to draw in";
        return false;
    }
    application = new AppContext();
    if (!application->glContext) {
        // The window stands, so the display is there: what it lacks is OpenGL.
        *reason = shown ? "the display offers no OpenGL: cannot create a context for the main window"
                        : "the display offers no OpenGL: cannot create a context to draw in";
        EndProgram();
        return false;
    }
    return InitScene();
}

void EndProgram() {
    Shutdown();
    // The shown window goes with the default handling of WM_CLOSE; a hidden one, or one that never
    // got that far, is closed by nobody else.
    if (mainWindow && IsWindow(mainWindow))
        DestroyWindow(mainWindow);
    mainWindow = nullptr;
}
