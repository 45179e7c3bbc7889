#include "export/FileWriters.h"

#include "export/CannotWrite.h"
#include "export/FileKinds.h"
#include "export/PictureFile.h"
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

namespace {

bool Refuse(const std::string& path, const std::string& why, std::string* reason) {
    if (reason)
        *reason = CannotWrite(path, why);
    return false;
}

// The writer of a kind this build writes. The build compiles the writers FileKinds says it has.
std::unique_ptr<ClipWriter> MakeClip(const FileKind& kind, const std::string& path, int width, int height,
                                     double fps) {
    switch (kind.format) {
    case FileFormat::pngSeries:
        return std::make_unique<PngSeriesClip>(path, width, height, fps);
#ifdef TESSARY_HAVE_WEBP
    case FileFormat::webp:
        return std::make_unique<WebpClip>(path, width, height, fps);
#endif
#ifdef TESSARY_HAVE_GIF
    case FileFormat::gif:
        return std::make_unique<GifClip>(path, width, height, fps);
#endif
#ifdef TESSARY_HAVE_FFMPEG_PIPE
    case FileFormat::video:
        // ffmpeg names its formats as the extensions without the dot.
        return std::make_unique<FfmpegClip>(path, width, height, fps, kind.extension + 1);
#endif
    default:
        return nullptr;
    }
}

} // namespace

bool FileWriters::WritePicture(const std::string& path, const RgbaPicture& picture, std::string* reason) {
    const FileKind* kind = FileKinds::Find(path, FileUse::picture);
    if (!kind || !FileKinds::WrittenHere(*kind))
        return Refuse(path,
                      "this build writes pictures as " +
                          FileKinds::Sentence(FileKinds::Select(FileUse::picture, true), true, "or") +
                          ", chosen by the extension",
                      reason);
    if (!FileKinds::pictureWidth.Holds(picture.width) ||
        picture.height != FileKinds::PictureHeight(picture.width))
        return Refuse(path,
                      "a picture is " + FileKinds::pictureWidth.Span() +
                          " pixels wide and 3/4 as high, not " + std::to_string(picture.width) + " x " +
                          std::to_string(picture.height),
                      reason);
    return WritePngFile(path, picture, reason);
}

std::unique_ptr<ClipWriter> FileWriters::OpenClip(const std::string& path, int width, int height, double fps,
                                                  std::string* reason) {
    if (!FileKinds::clipSide.Holds(width) || !FileKinds::clipSide.Holds(height)) {
        Refuse(path, "a clip's sides must be " + FileKinds::clipSide.Span() + " pixels", reason);
        return nullptr;
    }
    if (!FileKinds::clipRate.Holds(fps)) { // not a number is held by no limit
        Refuse(path, "the frame rate must be " + FileKinds::clipRate.Span() + " frames per second", reason);
        return nullptr;
    }
    const FileKind* kind = FileKinds::Find(path, FileUse::clip);
    std::unique_ptr<ClipWriter> writer =
        kind && FileKinds::WrittenHere(*kind) ? MakeClip(*kind, path, width, height, fps) : nullptr;
    if (!writer) {
        Refuse(path,
               "this build writes clips as " +
                   FileKinds::Sentence(FileKinds::Select(FileUse::clip, true), true, "and") +
                   ", chosen by the extension",
               reason);
        return nullptr;
    }
    if (!writer->Start(reason))
        return nullptr;
    return writer;
}
