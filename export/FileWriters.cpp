#include "export/FileWriters.h"

#include "export/AtomicFile.h"
#include "export/CannotWrite.h"
#include "export/FigureText.h"
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

// A picture and a figure have the same limits: a width of FileKinds::pictureWidth at 4:3.
bool SizeHeld(const std::string& path, const char* what, int width, int height, std::string* reason) {
    if (FileKinds::pictureWidth.Holds(width) && height == FileKinds::PictureHeight(width))
        return true;
    return Refuse(path,
                  std::string(what) + " is " + FileKinds::pictureWidth.Span() +
                      " pixels wide and 3/4 as high, not " + std::to_string(width) + " x " +
                      std::to_string(height),
                  reason);
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
    return WritePicture(path, FileKinds::Find(path, FileUse::picture), picture, reason);
}

bool FileWriters::WritePicture(const std::string& path, const FileKind* kind, const RgbaPicture& picture,
                               std::string* reason) {
    if (!kind || kind->use != FileUse::picture || !FileKinds::WrittenHere(*kind))
        return Refuse(path,
                      "this build writes pictures as " +
                          FileKinds::Sentence(FileKinds::Select(FileUse::picture, true), true, "or") +
                          ", chosen by the extension",
                      reason);
    if (!SizeHeld(path, "a picture", picture.width, picture.height, reason))
        return false;
    return WritePngFile(path, picture, reason);
}

bool FileWriters::WriteFigure(const std::string& path, const Figure& figure, std::string* reason) {
    return WriteFigure(path, FileKinds::Find(path, FileUse::figure), figure, reason);
}

bool FileWriters::WriteFigure(const std::string& path, const FileKind* kind, const Figure& figure,
                              std::string* reason) {
    if (!kind || kind->use != FileUse::figure || !FileKinds::WrittenHere(*kind))
        return Refuse(path,
                      "this build writes figures as " +
                          FileKinds::Sentence(FileKinds::Select(FileUse::figure, true), true, "or") +
                          ", chosen by the extension",
                      reason);
    if (!SizeHeld(path, "a figure", figure.width, figure.height, reason))
        return false;
    const std::string text = FigureText::Write(*kind, figure);
    AtomicFile file(path);
    return file.Open(reason) && file.Write(text.data(), text.size(), reason) && file.Commit(reason);
}

std::unique_ptr<ClipWriter> FileWriters::OpenClip(const std::string& path, int width, int height, double fps,
                                                  std::string* reason) {
    return OpenClip(path, FileKinds::Find(path, FileUse::clip), width, height, fps, reason);
}

std::unique_ptr<ClipWriter> FileWriters::OpenClip(const std::string& path, const FileKind* kind, int width,
                                                  int height, double fps, std::string* reason) {
    if (!FileKinds::clipSide.Holds(width) || !FileKinds::clipSide.Holds(height)) {
        Refuse(path, "a clip's sides must be " + FileKinds::clipSide.Span() + " pixels", reason);
        return nullptr;
    }
    if (!FileKinds::clipRate.Holds(fps)) { // not a number is held by no limit
        Refuse(path, "the frame rate must be " + FileKinds::clipRate.Span() + " frames per second", reason);
        return nullptr;
    }
    std::unique_ptr<ClipWriter> writer = kind && kind->use == FileUse::clip && FileKinds::WrittenHere(*kind)
                                             ? MakeClip(*kind, path, width, height, fps)
                                             : nullptr;
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
