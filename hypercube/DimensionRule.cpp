#include "hypercube/DimensionRule.h"

const wchar_t* DimensionRule::Refusal() {
    return L"请输入3--8的维度值";
}

const wchar_t* DimensionRule::Question(int n) {
    return n > askAbove ? L"大于6的维度可能会渲染较慢，真的要试试？" : nullptr;
}

std::string DimensionRule::RangeText() {
    return std::to_string(smallest) + " to " + std::to_string(largest);
}
