#include "page/PageAnswer.h"

#include <utility>

const char* PageAnswer::Keep(std::string text) {
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}

const char* PageAnswer::Refuse(Refusal::Kind kind, const std::string& reason) {
    return Keep(Refusal::Worded(kind, reason));
}
