// Handles of objects that use a window's native window, window DCs and GL contexts, each keeping the
// native window alive until it goes (the program releases both after its window is destroyed). A
// handle is the address of its own heap entry, so it never equals a handle of another table or of
// the GDI objects.
#pragma once

#include "platform/core/WindowTable.h"

#include <map>
#include <memory>
#include <utility>

namespace platform_windowing {

template <class Handle, class Value> class WindowUsers {
public:
    struct Entry {
        HWND window = nullptr; // the window it was made for
        Value value;
    };

    Handle Add(HWND window, Value value) {
        auto entry = std::make_unique<Entry>(Entry{window, std::move(value)});
        const Handle handle = reinterpret_cast<Handle>(entry.get());
        entries.emplace(handle, std::move(entry));
        RetainWindow(window);
        return handle;
    }

    // Null for a handle this table did not hand out or has removed.
    Entry* Find(Handle handle) const {
        auto found = entries.find(handle);
        return found == entries.end() ? nullptr : found->second.get();
    }

    void Remove(Handle handle) {
        auto found = entries.find(handle);
        if (found == entries.end())
            return;
        const HWND window = found->second->window;
        entries.erase(found);
        ReleaseWindow(window);
    }

    int Count() const { return static_cast<int>(entries.size()); }

private:
    std::map<Handle, std::unique_ptr<Entry>> entries;
};

} // namespace platform_windowing
