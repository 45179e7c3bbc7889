// Writes an animation one frame at a time into a file whose kind its extension names: .webp
// (animated, lossless, looping), .gif (looping), .png (a numbered series name-000.png, ...), .mp4
// or .webm (made by an ffmpeg found on PATH). The file appears whole at Finish or not at all; a
// writer destroyed before Finish removes everything it has written.
#pragma once

#include "export/RgbaPicture.h"

#include <memory>
#include <string>

class ClipWriter {
public:
    virtual ~ClipWriter();
    ClipWriter(const ClipWriter&) = delete;
    ClipWriter& operator=(const ClipWriter&) = delete;

    // Checks everything that can be checked before a frame is drawn: the extension, the size,
    // the rate, the folder (by creating the temporary), ffmpeg on PATH. Null with *reason set
    // when the clip cannot be written.
    static std::unique_ptr<ClipWriter> Open(const std::string& path, int width, int height, double fps,
                                            std::string* reason);
    // Frames must have the size given to Open.
    virtual bool AddFrame(const RgbaPicture& frame, std::string* reason) = 0;
    virtual bool Finish(std::string* reason) = 0;

protected:
    ClipWriter(std::string path, int width, int height, double fps);
    // What Open checks beyond the arguments: creates the temporary, finds the helper program.
    virtual bool Start(std::string* reason) = 0;
    // False with a reason when the frame's size is not the clip's.
    bool Fits(const RgbaPicture& frame, std::string* reason) const;
    // False with a reason when there is no frame to finish with.
    bool HasFrames(int count, std::string* reason) const;
    // When frame `index` starts, in units of 1/unitsPerSecond s, rounded: durations computed as
    // differences of these add up to the clip's length whatever the rounding.
    long long StartOf(int index, int unitsPerSecond) const;
    bool Refuse(const std::string& why, std::string* reason) const;
    // The extension in lower case with its dot (".webp"), or empty.
    static std::string ExtensionOf(const std::string& path);

    const std::string path;
    const int width;
    const int height;
    const double fps;
};
