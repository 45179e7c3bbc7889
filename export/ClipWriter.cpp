#include "export/ClipWriter.h"

#include "export/PngSeriesClip.h"
#ifdef TESSARY_HAVE_FFMPEG_PIPE
#include "export/FfmpegClip.h"
#endif
#ifdef TESSARY_HAVE_GIF
#include "export/GifClip.h"
#endif
#ifdef TESSARY_HAVE_WEBP
#include "export/WebpClip.h"
#endif

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

namespace {

// The kinds this build writes, for the message that answers an unknown extension.
const char* const supportedKinds =
#ifdef TESSARY_HAVE_WEBP
    ".webp, "
#endif
#ifdef TESSARY_HAVE_GIF
    ".gif, "
#endif
    ".png (a numbered series)"
#ifdef TESSARY_HAVE_FFMPEG_PIPE
    ", .mp4 and .webm (through ffmpeg)"
#endif
    ;

// WebP's limit; GIF's 65535 is larger.
constexpr int largestSide = 16383;

} // namespace

ClipWriter::ClipWriter(std::string path, int width, int height, double fps)
    : path(std::move(path)), width(width), height(height), fps(fps) {}

ClipWriter::~ClipWriter() = default;

std::string ClipWriter::ExtensionOf(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return "";
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool ClipWriter::Refuse(const std::string& why, std::string* reason) const {
    if (reason)
        *reason = "cannot write " + path + ": " + why;
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

std::unique_ptr<ClipWriter> ClipWriter::Open(const std::string& path, int width, int height, double fps,
                                             std::string* reason) {
    const auto refuse = [&](const std::string& why) {
        if (reason)
            *reason = "cannot write " + path + ": " + why;
        return nullptr;
    };
    if (width <= 0 || height <= 0 || width > largestSide || height > largestSide)
        return refuse("a clip's sides must be from 1 to " + std::to_string(largestSide) + " pixels");
    if (!std::isfinite(fps) || fps <= 0.0 || fps > 100.0)
        return refuse("the frame rate must be above 0 and at most 100 frames per second");
    const std::string extension = ExtensionOf(path);
    std::unique_ptr<ClipWriter> writer;
#ifdef TESSARY_HAVE_WEBP
    if (extension == ".webp")
        writer.reset(new WebpClip(path, width, height, fps));
#endif
#ifdef TESSARY_HAVE_GIF
    if (extension == ".gif")
        writer.reset(new GifClip(path, width, height, fps));
#endif
    if (extension == ".png")
        writer.reset(new PngSeriesClip(path, width, height, fps));
#ifdef TESSARY_HAVE_FFMPEG_PIPE
    if (extension == ".mp4" || extension == ".webm")
        writer.reset(new FfmpegClip(path, width, height, fps));
#endif
    if (!writer)
        return refuse("this build writes clips as " + std::string(supportedKinds) +
                      ", chosen by the extension");
    if (!writer->Start(reason))
        return nullptr;
    return writer;
}
