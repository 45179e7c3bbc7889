#include "tour/TourSource.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Far more than any tour needs, and a bound on what a mistaken name (a film, a device) reads.
constexpr long largestFile = 1 << 20;

// The file's name as a reason shows it: a name may hold a line break, which would split the line.
std::string Shown(const std::string& path) {
    std::string shown = path;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return shown;
}

} // namespace

bool TourSource::Load(const std::string& word, std::string* text, std::string* reason) {
    if (word.empty() || word[0] != '@') {
        *text = word;
        return true;
    }
    const std::string path = word.substr(1);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        *reason = "cannot read " + Shown(path) + ": " + std::strerror(errno);
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
        *reason = "cannot read " + Shown(path);
        return false;
    }
    if (read.size() > largestFile) {
        *reason = Shown(path) + " is larger than a tour can be (1 MB)";
        return false;
    }
    *text = read;
    return true;
}
