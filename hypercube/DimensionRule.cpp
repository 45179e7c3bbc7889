#include "hypercube/DimensionRule.h"

namespace {

// The program's messages, each with the id a page knows it by.
struct DimensionMessage {
    const char* id;
    const wchar_t* text;
};
constexpr DimensionMessage rangeMessage{"range", L"请输入3--8的维度值"};
constexpr DimensionMessage slowMessage{"slow", L"大于6的维度可能会渲染较慢，真的要试试？"};

} // namespace

const wchar_t* DimensionRule::Refusal() {
    return rangeMessage.text;
}

const wchar_t* DimensionRule::Question(int n) {
    return n > askAbove ? slowMessage.text : nullptr;
}

// A message box keeps only its text, and these are the only texts the program puts in one.
const char* DimensionRule::MessageId(const std::wstring& text) {
    for (const DimensionMessage& message : {rangeMessage, slowMessage})
        if (text == message.text)
            return message.id;
    return nullptr;
}

std::string DimensionRule::RangeText() {
    return std::to_string(smallest) + " to " + std::to_string(largest);
}
