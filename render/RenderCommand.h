// tessary --render: the program started in a hidden window, shown the view of the command line and
// drawn into a file, a picture, a figure or a turning clip; no window ever appears.
#pragma once

#include "platform/Win32.h"

struct RenderRequest;
class CTessary;

class RenderCommand {
public:
    // Starts the program hidden, draws and writes options.renderFile and shuts the program down.
    // Returns the exit code: 0, or 1 with one line on stderr when something could not be made or
    // written (no partial file is left).
    static int Run(HINSTANCE instance, const RenderRequest& options);

    // The drawing and writing alone, on a running program whose active screen is `screen`, already
    // showing options.view.
    static int Write(CTessary& screen, const RenderRequest& options);
};
