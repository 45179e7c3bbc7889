// The two system cursors the program uses, as SDL system cursors created on first use.
#include "platform/PlatformTesting.h"
#include "platform/sdl/SdlVideo.h"

#include <SDL.h>

using platform_testing::CursorShape;

namespace {

struct Cursor {
    CursorShape shape;
    SDL_SystemCursor systemCursor;
    SDL_Cursor* sdlCursor = nullptr; // owned; lives for the rest of the process
};

Cursor arrowCursor{CursorShape::Arrow, SDL_SYSTEM_CURSOR_ARROW};
Cursor ibeamCursor{CursorShape::IBeam, SDL_SYSTEM_CURSOR_IBEAM};
Cursor* currentCursor = nullptr; // not owned
int cursorChanges = 0;

HCURSOR Handle(Cursor* cursor) {
    return reinterpret_cast<HCURSOR>(cursor);
}

void Apply(Cursor* cursor) {
    // Before the first window there is no display to show a cursor on; the choice is still recorded.
    if (!platform_windowing::VideoStarted())
        return;
    if (!cursor) {
        SDL_ShowCursor(SDL_DISABLE); // SetCursor(NULL) hides the pointer on Windows
        return;
    }
    if (!cursor->sdlCursor)
        cursor->sdlCursor = SDL_CreateSystemCursor(cursor->systemCursor);
    if (cursor->sdlCursor)
        SDL_SetCursor(cursor->sdlCursor);
    SDL_ShowCursor(SDL_ENABLE);
}

} // namespace

HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    // Only the system cursors exist; the program has no cursor resources of its own.
    if (instance)
        return nullptr;
    if (name == IDC_ARROW)
        return Handle(&arrowCursor);
    if (name == IDC_IBEAM)
        return Handle(&ibeamCursor);
    return nullptr;
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
    Cursor* previous = currentCursor;
    Cursor* next = reinterpret_cast<Cursor*>(cursor);
    if (next && next != &arrowCursor && next != &ibeamCursor)
        return Handle(previous); // not a cursor of this layer: nothing changes
    currentCursor = next;
    ++cursorChanges;
    Apply(next);
    return Handle(previous);
}

namespace platform_testing {

CursorShape CurrentCursor() {
    return currentCursor ? currentCursor->shape : CursorShape::None;
}

int CursorChangeCount() {
    return cursorChanges;
}

} // namespace platform_testing
