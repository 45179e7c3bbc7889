// What a command of the page's returns: a C string the page copies out of the program's memory at
// once. The text is kept here until the next command answers, so that no command returns a pointer
// into a string of its own that the next call of it would free.
#pragma once

#include "page/Refusal.h"

#include <string>

class PageAnswer {
public:
    // Keeps `text` as the answer and returns it.
    static const char* Keep(std::string text);
    // "" (done).
    static const char* Done() { return Keep(std::string()); }
    // The refusal, worded (Refusal::Worded).
    static const char* Refuse(Refusal::Kind kind, const std::string& reason);
};
