// The process-wide record of keys, mouse buttons, pointer position and focus. Only the window
// procedure writes it; the frame loop, the controls and the hypercube screen read it.
#pragma once

#include <cstdint>

struct InputState {
    bool paused = false; // the window has lost the keyboard focus
    bool keys[128] = {}; // keys[k] is true while the key with virtual-key code k is held
    bool leftButton = false;
    bool rightButton = false;
    int16_t mouseX = 0; // client pixels; negative or beyond the client area during a captured drag
    int16_t mouseY = 0;
};

extern InputState inputState;
