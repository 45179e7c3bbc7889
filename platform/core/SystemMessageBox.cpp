// MessageBoxW as the back end's native dialog. Every box is also written to stderr, so that a run
// without a display (or with dialogs suppressed by a test) still tells what happened, and then
// answers OK.
#include "platform/core/Backend.h"
#include "platform/core/PlatformTesting.h"
#include "platform/core/Utf16Text.h"
#include "platform/core/WindowTable.h"

#include <cstdio>
#include <string>

using namespace platform_windowing;

namespace {

bool dialogsSuppressed = false;
int boxCount = 0;
std::wstring lastText;
std::wstring lastCaption;

} // namespace

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    std::fprintf(stderr, "%s: %s\n", platform_utf16::Utf16ToUtf8(caption).c_str(),
                 platform_utf16::Utf16ToUtf8(text).c_str());
    std::fflush(stderr);
    ++boxCount;
    lastText = text ? text : L"";
    lastCaption = caption ? caption : L"";
    if (dialogsSuppressed)
        return IDOK;
    const WindowRecord* record = LiveWindow(owner);
    const int answer = platform_backend::ShowNativeMessageBox(record ? record->native : nullptr,
                                                              lastText.c_str(), lastCaption.c_str(), type);
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
