// Virtual-key codes for physical keys. SDL scancodes name the key's position on a US layout, so a
// key keeps its code whatever the keyboard layout: the digit row gives '0' to '9' on AZERTY too, as
// the program's axis keys need.
#pragma once

#include <SDL_scancode.h>

namespace platform_sdl {

// 0 for keys the program has no use for; they produce no key messages.
int VirtualKeyFromScancode(SDL_Scancode scancode);

} // namespace platform_sdl
