#include "tour/TourSource.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Far more than any tour needs, and a bound on what a mistaken name (a film, a device) reads.
constexpr long largestFile = 1 << 20;

} // namespace

bool TourSource::Load(const std::string& word, std::string* text, std::string* reason) {
    if (word.empty() || word[0] != '@') {
        *text = word;
        return true;
    }
    const std::string path = word.substr(1);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        *reason = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string read;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && read.size() <= largestFile)
        read.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        *reason = "cannot read " + path;
        return false;
    }
    if (read.size() > largestFile) {
        *reason = path + " is larger than a tour can be (1 MB)";
        return false;
    }
    *text = read;
    return true;
}
