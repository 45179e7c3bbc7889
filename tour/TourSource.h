// Where the command line's tour comes from: the word itself, or, for "@FILE", the file's text.
#pragma once

#include <string>

class TourSource {
public:
    // The tour's text for the word of --tour. False with one line when the file cannot be read.
    static bool Load(const std::string& word, std::string* text, std::string* reason);
};
