#include "hypercube/ViewText.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
const char prefix[] = "v1.";
constexpr size_t prefixLength = 3;
constexpr size_t floatChars = 6;
constexpr size_t entryChars = 4;
constexpr size_t cameraChars = 6 * floatChars;
constexpr double entryScale = 8388607.0; // (2^24 - 2) / 2: -1 and 1 both have a code

size_t LengthFor(int dimension) {
    const size_t head = prefixLength + 2 + 1 + cameraChars;
    return dimension == 0 ? head : head + 1 + entryChars * dimension * dimension;
}

int Digit(char c) {
    const char* at = c ? std::strchr(alphabet, c) : nullptr;
    return at ? static_cast<int>(at - alphabet) : -1;
}

void Put(std::string& text, uint64_t value, size_t chars) {
    for (size_t i = chars; i-- > 0;)
        text += alphabet[(value >> (6 * i)) & 63];
}

// The value of `chars` base64url characters at text[at], or false for any other character.
bool Take(const std::string& text, size_t at, size_t chars, uint64_t* value) {
    *value = 0;
    for (size_t i = 0; i < chars; ++i) {
        const int d = Digit(text[at + i]);
        if (d < 0)
            return false;
        *value = (*value << 6) | static_cast<uint64_t>(d);
    }
    return true;
}

bool Refuse(std::string* reason, const std::string& why) {
    if (reason)
        *reason = why;
    return false;
}

} // namespace

const size_t ViewText::maxLength = LengthFor(View::maxDimension);

std::string ViewText::Format(const View& view) {
    std::string text = prefix;
    text += static_cast<char>('0' + view.dimension);
    text += !view.wireframe ? 'f' : view.fogged ? 'd' : 'w';
    text += '.';
    for (const float* vector : {view.eye, view.up})
        for (int i = 0; i < 3; ++i) {
            uint32_t bits;
            std::memcpy(&bits, &vector[i], sizeof bits);
            Put(text, bits, floatChars);
        }
    if (view.dimension == 0)
        return text;
    text += '.';
    for (int row = 0; row < view.dimension; ++row)
        for (int column = 0; column < view.dimension; ++column) {
            double e = view.At(row, column);
            e = e < -1.0 ? -1.0 : (e > 1.0 ? 1.0 : e);
            Put(text, static_cast<uint64_t>(std::lround((e + 1.0) * entryScale)), entryChars);
        }
    return text;
}

bool ViewText::Parse(const std::string& text, View* view, std::string* reason) {
    CheckedView checked;
    if (!Parse(text, &checked, reason))
        return false;
    *view = *checked;
    return true;
}

bool ViewText::Parse(const std::string& text, CheckedView* view, std::string* reason) {
    if (text.size() > maxLength)
        return Refuse(reason, "the view is too long (" + std::to_string(text.size()) +
                                  " characters, at most " + std::to_string(maxLength) + ")");
    if (text.empty() || text[0] != 'v')
        return Refuse(reason, "this is not a view (a view begins with v1.)");
    if (text.compare(0, prefixLength, prefix) != 0)
        return Refuse(reason, "the view has an unknown version (this program reads v1)");
    if (text.size() < prefixLength + 3)
        return Refuse(reason, "the view ends too early");

    View read;
    const char d = text[prefixLength];
    read.dimension = d >= '0' && d <= '9' ? d - '0' : -1;
    if (read.dimension != 0 && !DimensionRule::Builds(read.dimension))
        return Refuse(reason, "the view's dimension is not 0 or " + DimensionRule::RangeText());
    const char mode = text[prefixLength + 1];
    if (mode != 'w' && mode != 'f' && mode != 'd')
        return Refuse(reason, "the view's mode is not w (wireframe), f (faces) or d (fogged wireframe)");
    read.wireframe = mode != 'f';
    // The faces' first frame switches the fog on, once there is a cube to draw.
    read.fogged = mode == 'd' || (mode == 'f' && read.dimension != 0);
    const size_t length = LengthFor(read.dimension);
    if (text.size() < length)
        return Refuse(reason, "the view ends too early (" + std::to_string(text.size()) + " of " +
                                  std::to_string(length) + " characters)");
    if (text.size() > length)
        return Refuse(reason, "the view is too long for its dimension (" + std::to_string(text.size()) +
                                  " characters, " + std::to_string(length) + " expected)");
    const size_t cameraAt = prefixLength + 3;
    const size_t orientationAt = cameraAt + cameraChars + 1;
    if (text[cameraAt - 1] != '.' || (read.dimension != 0 && text[orientationAt - 1] != '.'))
        return Refuse(reason, "the view's parts are not separated by dots");

    float* camera[6] = {&read.eye[0], &read.eye[1], &read.eye[2], &read.up[0], &read.up[1], &read.up[2]};
    for (int i = 0; i < 6; ++i) {
        uint64_t bits;
        if (!Take(text, cameraAt + i * floatChars, floatChars, &bits) || bits >> 32)
            return Refuse(reason, "the view's camera is not written in base64url");
        const uint32_t word = static_cast<uint32_t>(bits);
        std::memcpy(camera[i], &word, sizeof word);
    }
    for (int row = 0; row < read.dimension; ++row)
        for (int column = 0; column < read.dimension; ++column) {
            uint64_t code;
            const size_t at = orientationAt + entryChars * (row * read.dimension + column);
            if (!Take(text, at, entryChars, &code))
                return Refuse(reason, "the view's orientation is not written in base64url");
            read.At(row, column) = static_cast<double>(code) / entryScale - 1.0;
        }
    std::string why;
    if (!CheckedView::Check(read, view, &why))
        return Refuse(reason, "the view cannot be shown: " + why);
    return true;
}
