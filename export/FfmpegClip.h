// A clip as MP4 or WebM, made by the ffmpeg program found on PATH: the frames go to it raw, as
// RGBA, and it writes the temporary, which is renamed when it has finished well. The codecs are
// ffmpeg's defaults for the container, in 4:2:0 colour, which every player shows.
#pragma once

#include "export/AtomicFile.h"
#include "export/ClipWriter.h"

#include <sys/types.h>

class FfmpegClip : public ClipWriter {
public:
    // `container` is ffmpeg's name of the file format, "mp4" or "webm".
    FfmpegClip(std::string path, int width, int height, double fps, std::string container);
    ~FfmpegClip() override;
    bool Start(std::string* reason) override;
    bool AddFrame(const RgbaPicture& frame, std::string* reason) override;
    bool Finish(std::string* reason) override;

    // The full name of the first executable `name` on PATH; empty when there is none.
    static std::string FindOnPath(const std::string& name);

private:
    // Closes ffmpeg's input and waits for it; its exit status, or -1 when it did not exit itself.
    int Wait();

    const std::string container;
    AtomicFile file;
    pid_t process = -1;
    int input = -1; // our end of the socket that is ffmpeg's standard input
    int frames = 0;
};
