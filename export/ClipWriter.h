// What every clip writer is: an animation written one frame at a time into a file that appears whole
// at Finish or not at all; a writer destroyed before Finish removes everything it has written.
// FileWriters::OpenClip makes the writer of the kind a path names.
#pragma once

#include "export/RgbaPicture.h"

#include <string>

class ClipWriter {
public:
    virtual ~ClipWriter();
    ClipWriter(const ClipWriter&) = delete;
    ClipWriter& operator=(const ClipWriter&) = delete;

    // What can be checked before a frame is drawn, beyond the arguments: creates the temporary,
    // finds the helper program. False with *reason set when the clip cannot be written.
    virtual bool Start(std::string* reason) = 0;
    // Frames must have the size the writer was made with.
    virtual bool AddFrame(const RgbaPicture& frame, std::string* reason) = 0;
    virtual bool Finish(std::string* reason) = 0;

protected:
    ClipWriter(std::string path, int width, int height, double fps);
    // False with a reason when the frame's size is not the clip's.
    bool Fits(const RgbaPicture& frame, std::string* reason) const;
    // False with a reason when there is no frame to finish with.
    bool HasFrames(int count, std::string* reason) const;
    // When frame `index` starts, in units of 1/unitsPerSecond s, rounded: durations computed as
    // differences of these add up to the clip's length whatever the rounding.
    long long StartOf(int index, int unitsPerSecond) const;
    bool Refuse(const std::string& why, std::string* reason) const;

    const std::string path;
    const int width;
    const int height;
    const double fps;
};
