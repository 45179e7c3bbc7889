// Asks the user a question with the toolkit's modal message box and waits for the answer.
#pragma once

#include "platform/Win32.h"

class ScreenManager;

// Opens the box over the active screen, runs the frame step in a nested loop until a button is
// released on, destroys the box and returns true when the button was OK. When the window is closed
// while the box is open, the loop ends at once, returns false (as Cancel would), and the quit is
// posted again so that the main loop shuts the program down.
bool ShowMessageBox(ScreenManager* manager, const WCHAR* text, bool withCancel);
