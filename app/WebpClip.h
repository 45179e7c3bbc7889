// A clip as an animated WebP: lossless, looping for ever, encoded by libwebp's animation encoder.
// Each frame is encoded on a worker thread while the caller draws the next one; the encoded frames
// stay in memory until Finish assembles the file.
#pragma once

#include "app/AtomicFile.h"
#include "app/ClipWriter.h"

#include <future>

struct WebPAnimEncoder;

class WebpClip : public ClipWriter {
public:
    WebpClip(std::string path, int width, int height, double fps);
    ~WebpClip() override;
    bool AddFrame(const RgbaPicture& frame, std::string* reason) override;
    bool Finish(std::string* reason) override;

private:
    bool Start(std::string* reason) override;
    // Runs on the worker: encodes `waiting`. Returns libwebp's complaint, empty when it went well.
    std::string Encode(int timestampMs);
    // Waits for the frame being encoded; false with its reason when it failed.
    bool Collect(std::string* reason);

    AtomicFile file;
    WebPAnimEncoder* encoder = nullptr; // owned; used by the worker while `encoding` runs
    RgbaPicture waiting;                // the frame the worker encodes; written only while it is idle
    std::future<std::string> encoding;
    int frames = 0;
};
