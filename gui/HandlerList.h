// An ordered list of owned callbacks for one event. Insertion order is call order.
#pragma once

#include <cstddef>
#include <vector>

template <class Handler> class HandlerList {
public:
    HandlerList() = default;
    ~HandlerList() {
        for (Handler* handler : handlers)
            delete handler;
    }
    HandlerList(const HandlerList&) = delete;
    HandlerList& operator=(const HandlerList&) = delete;

    size_t Size() const { return handlers.size(); }

    std::vector<Handler*> handlers; // owned
};

// Appends the handler and takes ownership of it, unless a handler bound to the same object and the
// same member function is already there: then the new one is deleted and the list is unchanged.
template <class Handler> void AddHandler(HandlerList<Handler>& list, Handler* handler) {
    void* target = handler->GetTarget();
    auto method = handler->GetMethod();
    for (Handler* stored : list.handlers) {
        if (stored->GetTarget() == target && stored->GetMethod() == method) {
            delete handler;
            return;
        }
    }
    list.handlers.push_back(handler);
}

// Invokes every handler, first to last, with the sender and any extra argument. The loop re-reads
// the size each time, so a handler that adds to the list it is called from does not invalidate it.
template <class Handler, class... Args> void CallHandlers(HandlerList<Handler>& list, Args... args) {
    for (size_t i = 0; i < list.handlers.size(); ++i)
        list.handlers[i]->Invoke(args...);
}
