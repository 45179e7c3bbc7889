#include "platform/core/WindowTable.h"

#include <map>

namespace platform_windowing {

namespace {

// Ordered by handle, which is creation order.
std::map<uintptr_t, WindowRecord> windows;
// Handles start well above the small values Windows reserves for HWND_TOP, HWND_BOTTOM and the like.
uintptr_t nextHandle = 0x10000;

uintptr_t Key(HWND window) {
    return reinterpret_cast<uintptr_t>(window);
}
HWND Handle(uintptr_t key) {
    return reinterpret_cast<HWND>(key);
}

// Frees the native window of a destroyed window once no device or GL context uses it any more.
void FreeIfUnused(uintptr_t key) {
    auto found = windows.find(key);
    if (found == windows.end() || !found->second.destroyed || found->second.users > 0)
        return;
    platform_backend::DestroyNativeWindow(found->second.native);
    windows.erase(found);
}

} // namespace

HWND AddWindow(WindowRecord record) {
    const uintptr_t key = nextHandle++;
    windows.emplace(key, std::move(record));
    return Handle(key);
}

WindowRecord* AnyWindow(HWND window) {
    auto found = windows.find(Key(window));
    return found == windows.end() ? nullptr : &found->second;
}

WindowRecord* LiveWindow(HWND window) {
    WindowRecord* record = AnyWindow(window);
    return record && !record->destroyed ? record : nullptr;
}

HWND WindowFromNative(platform_backend::NativeWindow native) {
    if (!native)
        return nullptr;
    for (auto& [key, record] : windows) {
        if (!record.destroyed && record.native == native)
            return Handle(key);
    }
    return nullptr;
}

std::vector<HWND> LiveWindows() {
    std::vector<HWND> live;
    for (auto& [key, record] : windows) {
        if (!record.destroyed)
            live.push_back(Handle(key));
    }
    return live;
}

int LiveWindowCount() {
    return static_cast<int>(LiveWindows().size());
}

int WindowsOfClass(ATOM classAtom) {
    int count = 0;
    for (auto& [key, record] : windows) {
        if (!record.destroyed && record.classAtom == classAtom)
            ++count;
    }
    return count;
}

void RetainWindow(HWND window) {
    if (WindowRecord* record = AnyWindow(window))
        ++record->users;
}

void ReleaseWindow(HWND window) {
    if (WindowRecord* record = AnyWindow(window)) {
        --record->users;
        FreeIfUnused(Key(window));
    }
}

void MarkDestroyed(HWND window) {
    if (WindowRecord* record = AnyWindow(window)) {
        record->destroyed = true;
        FreeIfUnused(Key(window));
    }
}

} // namespace platform_windowing
