// The two system cursors the program uses. The choice is recorded here and shown by the back end.
#include "platform/core/Backend.h"
#include "platform/core/PlatformTesting.h"

using platform_backend::SystemCursor;

namespace {

struct Cursor {
    SystemCursor systemCursor;
};

Cursor arrowCursor{SystemCursor::Arrow};
Cursor ibeamCursor{SystemCursor::IBeam};
Cursor* currentCursor = nullptr; // not owned
int cursorChanges = 0;

HCURSOR Handle(Cursor* cursor) {
    return reinterpret_cast<HCURSOR>(cursor);
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
    // SetCursor(NULL) hides the pointer on Windows.
    platform_backend::ApplyCursor(next ? next->systemCursor : SystemCursor::Hidden);
    return Handle(previous);
}

namespace platform_testing {

SystemCursor CurrentCursor() {
    return currentCursor ? currentCursor->systemCursor : SystemCursor::Hidden;
}

int CursorChangeCount() {
    return cursorChanges;
}

} // namespace platform_testing
