#include "export/ClipWriter.h"

#include "export/CannotWrite.h"

#include <cmath>
#include <utility>

ClipWriter::ClipWriter(std::string path, int width, int height, double fps)
    : path(std::move(path)), width(width), height(height), fps(fps) {}

ClipWriter::~ClipWriter() = default;

bool ClipWriter::Refuse(const std::string& why, std::string* reason) const {
    if (reason)
        *reason = CannotWrite(path, why);
    return false;
}

bool ClipWriter::Fits(const RgbaPicture& frame, std::string* reason) const {
    if (frame.width == width && frame.height == height &&
        frame.pixels.size() == static_cast<size_t>(width) * height * 4)
        return true;
    return Refuse("a frame of " + std::to_string(frame.width) + " x " + std::to_string(frame.height) +
                      " in a clip of " + std::to_string(width) + " x " + std::to_string(height),
                  reason);
}

bool ClipWriter::HasFrames(int count, std::string* reason) const {
    return count > 0 || Refuse("the clip has no frames", reason);
}

long long ClipWriter::StartOf(int index, int unitsPerSecond) const {
    return std::llround(index * static_cast<double>(unitsPerSecond) / fps);
}
