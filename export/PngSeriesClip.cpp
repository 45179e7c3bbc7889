#include "export/PngSeriesClip.h"

#include "export/PictureFile.h"

#include <algorithm>
#include <cstdio>
#include <utility>

PngSeriesClip::PngSeriesClip(std::string path, int width, int height, double fps)
    : ClipWriter(std::move(path), width, height, fps) {}

std::string PngSeriesClip::NumberedName(const std::string& path, int index, int count) {
    const int digits = std::max(3, static_cast<int>(std::to_string(std::max(count - 1, 0)).size()));
    char number[16];
    std::snprintf(number, sizeof(number), "-%0*d", digits, index);
    // The extension is ".png" in any case of letters; it stays as the user wrote it.
    const size_t dot = path.size() - 4;
    return path.substr(0, dot) + number + path.substr(dot);
}

bool PngSeriesClip::Start(std::string* reason) {
    // A temporary made and removed at once: a folder that cannot take the pictures is found
    // before the first frame is drawn.
    AtomicFile probe(NumberedName(path, 0, 1));
    return probe.Open(reason);
}

bool PngSeriesClip::AddFrame(const RgbaPicture& frame, std::string* reason) {
    if (!Fits(frame, reason))
        return false;
    const std::vector<uint8_t> bytes = EncodePng(frame);
    if (bytes.empty())
        return Refuse("not enough memory to compress a frame", reason);
    AtomicFile picture(NumberedName(path, static_cast<int>(pictures.size()), 1));
    if (!picture.Open(reason) || !picture.Write(bytes.data(), bytes.size(), reason) || !picture.Close(reason))
        return false;
    pictures.push_back(std::move(picture));
    return true;
}

bool PngSeriesClip::Finish(std::string* reason) {
    if (!HasFrames(static_cast<int>(pictures.size()), reason))
        return false;
    const int count = static_cast<int>(pictures.size());
    for (int i = 0; i < count; ++i) {
        pictures[static_cast<size_t>(i)].SetPath(NumberedName(path, i, count));
        if (!pictures[static_cast<size_t>(i)].Commit(reason)) {
            // All or nothing: the pictures already renamed go too.
            for (int j = 0; j < i; ++j)
                pictures[static_cast<size_t>(j)].Discard();
            pictures.clear();
            return false;
        }
    }
    pictures.clear();
    return true;
}
