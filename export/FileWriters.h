// The writer of each kind of file in FileKinds, chosen by the kind a caller found (the command line's
// request carries it) or else by the path's extension: a picture or a figure is written at once, a
// clip is opened here and written frame by frame. The writers check what FileKinds
// limits, so that no caller of theirs can write what the command line would refuse.
#pragma once

#include "export/ClipWriter.h"
#include "export/Figure.h"
#include "export/FileKinds.h"
#include "export/RgbaPicture.h"

#include <memory>
#include <string>

class FileWriters {
public:
    // Writes `picture` to `path`, whole or not at all. False with the reason when the path names no
    // picture this build writes, the picture's size is outside the limits, or the system refuses.
    static bool WritePicture(const std::string& path, const RgbaPicture& picture, std::string* reason);
    // The same with the kind already found; null, or a kind of another use, is refused alike.
    static bool WritePicture(const std::string& path, const FileKind* kind, const RgbaPicture& picture,
                             std::string* reason);

    // Writes `figure` to `path` as SVG, PDF or TikZ by its extension, whole or not at all. False with
    // the reason when the path names no figure, the figure's size is outside a picture's limits, or
    // the system refuses.
    static bool WriteFigure(const std::string& path, const Figure& figure, std::string* reason);
    static bool WriteFigure(const std::string& path, const FileKind* kind, const Figure& figure,
                            std::string* reason);

    // The writer of the clip `path` names, checked as far as it can be before a frame is drawn: the
    // extension, the size, the rate, the folder (by creating the temporary), ffmpeg on PATH. Null
    // with *reason set when the clip cannot be written.
    static std::unique_ptr<ClipWriter> OpenClip(const std::string& path, int width, int height, double fps,
                                                std::string* reason);
    static std::unique_ptr<ClipWriter> OpenClip(const std::string& path, const FileKind* kind, int width,
                                                int height, double fps, std::string* reason);
};
