// Which dimensions the viewer builds, and what it says first: the generate button, a view's text
// and the page's dimension buttons all follow this one rule.
#pragma once

#include <string>

class DimensionRule {
public:
    static constexpr int smallest = 3;
    static constexpr int largest = 8;
    // Above this the faces take long enough to build and draw that the user is asked first.
    static constexpr int askAbove = 6;

    static bool Builds(int n) { return n >= smallest && n <= largest; }
    // The answer to a dimension that is not built, in the program's own words.
    static const wchar_t* Refusal();
    // The question asked before building `n`, or null when it is built without asking.
    static const wchar_t* Question(int n);
    // The id a page around the program knows one of these texts by, to say it in its own language:
    // "range" for the refusal, "slow" for the question; null for any other text.
    static const char* MessageId(const std::wstring& text);
    // "3 to 8", for the command line's and the views' reasons.
    static std::string RangeText();
};
