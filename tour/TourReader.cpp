#include "tour/TourReader.h"

#include "hypercube/ViewText.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

// Angles and durations beyond these are mistakes rather than tours: a day, a hundred whole turns.
constexpr double longestSeconds = 86400.0;
constexpr double largestDegrees = 36000.0;

// A plain decimal number: an optional minus, digits, an optional point and more digits. strtod
// alone would also take "inf", "nan", hexadecimal and exponents.
bool ReadNumber(const std::string& word, bool signedAllowed, double* value) {
    size_t at = signedAllowed && !word.empty() && word[0] == '-' ? 1 : 0;
    bool digits = false, point = false;
    for (size_t i = at; i < word.size(); ++i) {
        if (word[i] >= '0' && word[i] <= '9')
            digits = true;
        else if (word[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    if (!digits)
        return false;
    *value = std::strtod(word.c_str(), nullptr);
    return std::isfinite(*value);
}

bool ReadDuration(const std::string& word, TourDuration* duration, std::string* why) {
    std::string number = word;
    double scale = 1.0;
    duration->inFrames = false;
    if (word.size() > 2 && word.compare(word.size() - 2, 2, "ms") == 0) {
        number.resize(word.size() - 2);
        scale = 0.001;
    } else if (word.size() > 1 && word.back() == 's') {
        number.pop_back();
    } else if (word.size() > 1 && word.back() == 'f') {
        number.pop_back();
        duration->inFrames = true;
    } else {
        *why = "the duration '" + word + "' is not a number with s, ms or f (frames) after it";
        return false;
    }
    double amount = 0.0;
    if (!ReadNumber(number, false, &amount)) {
        *why = "the duration '" + word + "' is not a number with s, ms or f (frames) after it";
        return false;
    }
    duration->amount = amount * scale;
    if (!(duration->amount > 0.0)) {
        *why = "a duration must be longer than 0";
        return false;
    }
    // Frames are limited with the clip's count, once the tour is timed; seconds here, so that no
    // sum of them overflows.
    if (!duration->inFrames && duration->amount > longestSeconds) {
        *why = "a duration must be at most " + std::to_string(static_cast<int>(longestSeconds)) + "s";
        return false;
    }
    return true;
}

bool ReadDegrees(const std::string& word, double* degrees, std::string* why) {
    if (!ReadNumber(word, true, degrees) || std::fabs(*degrees) > largestDegrees) {
        *why = "the angle '" + word + "' is not a number of degrees from -36000 to 36000";
        return false;
    }
    return true;
}

// "A,B": two different digits.
bool ReadPlane(const std::string& word, TourStep* step, std::string* why) {
    if (word.size() != 3 || word[1] != ',' || word[0] < '0' || word[0] > '9' || word[2] < '0' ||
        word[2] > '9' || word[0] == word[2]) {
        *why = "the plane '" + word + "' is not two different axes A,B";
        return false;
    }
    // The keys turn the plane of the lower axis towards the higher one, whichever is named first.
    step->low = std::min(word[0], word[2]) - '0';
    step->high = std::max(word[0], word[2]) - '0';
    return true;
}

// The words of one step into *step, or false with what is wrong in *why.
bool ReadStep(const std::vector<std::string>& w, TourStep* step, std::string* why) {
    const std::string& verb = w[0];
    const size_t n = w.size();
    auto shape = [&](const char* form) {
        *why = std::string("a ") + verb + " step is '" + form + "'";
        return false;
    };
    if (verb == "turn") {
        step->kind = TourStep::Kind::turn;
        if (n != 6 || w[2] != "by" || w[4] != "in")
            return shape("turn A,B by DEG in DUR");
        return ReadPlane(w[1], step, why) && ReadDegrees(w[3], &step->degrees, why) &&
               ReadDuration(w[5], &step->duration, why);
    }
    if (verb == "orbit") {
        step->kind = TourStep::Kind::orbit;
        if (n != 4 || w[2] != "in")
            return shape("orbit DEG in DUR");
        return ReadDegrees(w[1], &step->degrees, why) && ReadDuration(w[3], &step->duration, why);
    }
    if (verb == "to") {
        step->kind = TourStep::Kind::to;
        if ((n != 4 && n != 5) || w[2] != "in" || (n == 5 && w[4] != "linear" && w[4] != "ease"))
            return shape("to VIEW in DUR [linear|ease]");
        step->eased = n == 4 || w[4] == "ease";
        step->toStart = w[1] == "start";
        if (!step->toStart && !ViewText::Parse(w[1], &step->target, why)) {
            *why = "the view: " + *why;
            return false;
        }
        return ReadDuration(w[3], &step->duration, why);
    }
    if (verb == "hold") {
        step->kind = TourStep::Kind::hold;
        if (n != 2)
            return shape("hold DUR");
        return ReadDuration(w[1], &step->duration, why);
    }
    if (verb == "faces") {
        step->kind = TourStep::Kind::faces;
        if (n != 2 || (w[1] != "on" && w[1] != "off"))
            return shape("faces on|off");
        step->faces = w[1] == "on";
        return true;
    }
    *why = "'" + verb + "' is no step; a step is turn, orbit, to, hold or faces";
    return false;
}

} // namespace

std::string TourReader::Refusal(const TourStep& step, const std::string& why) {
    // A view's text makes a step long; the number says which it is, the start is enough to see it.
    std::string shown = step.text.size() > 40 ? step.text.substr(0, 37) + "..." : step.text;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return "step " + std::to_string(step.number) + " '" + shown + "': " + why;
}

bool TourReader::Read(const std::string& text, std::vector<TourStep>* steps, std::string* reason) {
    std::vector<TourStep> read;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream parts(line);
        std::string part;
        while (std::getline(parts, part, ';')) {
            std::istringstream wordStream(part);
            std::vector<std::string> words;
            for (std::string word; wordStream >> word;)
                words.push_back(word);
            if (words.empty())
                continue;
            TourStep step;
            step.number = static_cast<int>(read.size()) + 1;
            for (const std::string& word : words)
                step.text += (step.text.empty() ? "" : " ") + word;
            std::string why;
            if (!ReadStep(words, &step, &why)) {
                *reason = Refusal(step, why);
                return false;
            }
            read.push_back(step);
        }
    }
    if (read.empty()) {
        *reason = "the tour has no steps";
        return false;
    }
    *steps = std::move(read);
    return true;
}
