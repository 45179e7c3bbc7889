#include "gui/ShowMessageBox.h"

#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "gui/QV_MessageBox.h"

bool ShowMessageBox(ScreenManager* manager, const WCHAR* text, bool withCancel) {
    QV_MessageBox* box = new QV_MessageBox(text, withCancel); // owned here alone
    manager->messageBox = box;
    manager->messageBoxOpen = true;

    // The frame step of the main loop; it leaves out the active screen's Update while the manager
    // says that a box is open.
    bool quitTaken = false;
    int exitCode = 0;
    while (!box->closed) {
        // Without a window nobody can answer; the quit that destroyed it reaches the main loop.
        if (!IsWindow(mainWindow))
            break;
        if (!FrameStep(&exitCode)) {
            // The window is gone: nobody can answer any more, so stop waiting.
            quitTaken = true;
            break;
        }
    }

    // The box is deleted only here, after the last dispatch that could reach it has returned.
    const bool accepted = !quitTaken && box->accepted;
    delete box;
    manager->messageBox = nullptr;
    manager->messageBoxOpen = false;

    // The main loop must still see the quit to shut the program down with the same code.
    if (quitTaken)
        PostQuitMessage(exitCode);
    return accepted;
}
