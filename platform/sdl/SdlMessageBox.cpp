// System message boxes as SDL message boxes.
#include "platform/core/Backend.h"
// The core's one UTF-8 encoder: SDL takes the texts of a message box as UTF-8.
#include "platform/core/Utf16Text.h"
#include "platform/sdl/SdlHandles.h"

#include <SDL.h>

#include <string>

namespace platform_backend {

int ShowNativeMessageBox(NativeWindow owner, const WCHAR* text, const WCHAR* caption, UINT type) {
    const bool withCancel = (type & MB_TYPEMASK) == MB_OKCANCEL;
    // Enter answers OK and Escape answers Cancel (or OK when it is the only button), as on Windows.
    Uint32 okFlags = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (!withCancel)
        okFlags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    const SDL_MessageBoxButtonData okButton = {okFlags, IDOK, "OK"};
    const SDL_MessageBoxButtonData cancelButton = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL,
                                                   "Cancel"};
    const SDL_MessageBoxButtonData buttons[] = {okButton, cancelButton};
    const std::string utf8Text = platform_utf16::Utf16ToUtf8(text);
    const std::string utf8Caption = platform_utf16::Utf16ToUtf8(caption);

    SDL_MessageBoxData data = {};
    data.flags = (type & MB_ICONERROR) ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    data.window = platform_sdl::SdlWindow(owner);
    data.title = utf8Caption.c_str();
    data.message = utf8Text.c_str();
    data.numbuttons = withCancel ? 2 : 1;
    data.buttons = buttons;
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0)
        return 0;
    // Closing the box without a button counts as Cancel where there is one.
    if (pressed != IDOK && pressed != IDCANCEL)
        pressed = withCancel ? IDCANCEL : IDOK;
    return pressed;
}

} // namespace platform_backend
