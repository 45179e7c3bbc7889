#include "page/Refusal.h"

std::string Refusal::Worded(Kind kind, const std::string& reason) {
    return std::string(kind.name) + ": " + reason;
}
