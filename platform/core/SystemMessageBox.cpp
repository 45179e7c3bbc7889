// MessageBoxW as an SDL message box. Every box is also written to stderr, so that a run without a
// display (or with dialogs suppressed by a test) still tells what happened, and then answers OK.
#include "platform/PlatformTesting.h"
#include "platform/core/Utf16Text.h"
#include "platform/core/WindowTable.h"

#include <SDL.h>

#include <cstdio>
#include <string>

using namespace platform_windowing;

namespace {

bool dialogsSuppressed = false;
int boxCount = 0;
std::wstring lastText;
std::wstring lastCaption;

// Returns IDOK or IDCANCEL, or 0 when no dialog could be shown.
int ShowSdlMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    const bool withCancel = (type & 0x0F) == MB_OKCANCEL;
    // Enter answers OK and Escape answers Cancel (or OK when it is the only button), as on Windows.
    Uint32 okFlags = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (!withCancel)
        okFlags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    const SDL_MessageBoxButtonData okButton = {okFlags, IDOK, "OK"};
    const SDL_MessageBoxButtonData cancelButton = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL,
                                                   "Cancel"};
    const SDL_MessageBoxButtonData buttons[] = {okButton, cancelButton};
    const WindowRecord* record = LiveWindow(owner);

    SDL_MessageBoxData data = {};
    data.flags = (type & MB_ICONERROR) ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    data.window = record ? record->sdlWindow : nullptr;
    data.title = caption.c_str();
    data.message = text.c_str();
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

} // namespace

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    const std::string utf8Text = Utf16ToUtf8(text);
    const std::string utf8Caption = Utf16ToUtf8(caption);
    std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
    std::fflush(stderr);
    ++boxCount;
    lastText = text ? text : L"";
    lastCaption = caption ? caption : L"";
    if (dialogsSuppressed)
        return IDOK;
    const int answer = ShowSdlMessageBox(owner, utf8Text, utf8Caption, type);
    return answer != 0 ? answer : IDOK;
}

namespace platform_testing {

void SuppressSystemDialogs(bool suppress) {
    dialogsSuppressed = suppress;
}

int SystemMessageBoxCount() {
    return boxCount;
}

std::wstring LastSystemMessageBoxText() {
    return lastText;
}

std::wstring LastSystemMessageBoxCaption() {
    return lastCaption;
}

} // namespace platform_testing
