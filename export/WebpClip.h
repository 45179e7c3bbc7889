// A clip as an animated WebP: lossless, looping for ever. The first frame is stored whole; every
// later one as the rectangle that changed since the frame before it, replacing that part of the
// canvas. Each frame is encoded on a worker thread while the caller draws the next one; the
// encoded frames stay in memory until Finish assembles the file.
#pragma once

#include "export/AtomicFile.h"
#include "export/ClipWriter.h"

#include <future>

struct WebPMux;

class WebpClip : public ClipWriter {
public:
    WebpClip(std::string path, int width, int height, double fps);
    ~WebpClip() override;
    bool Start(std::string* reason) override;
    bool AddFrame(const RgbaPicture& frame, std::string* reason) override;
    bool Finish(std::string* reason) override;

private:
    // Runs on the worker: encodes `waiting` as frame `index` and makes it `shown`. Returns
    // libwebp's complaint, empty when it went well.
    std::string Encode(int index);
    // Waits for the frame being encoded; false with its reason when it failed.
    bool Collect(std::string* reason);

    AtomicFile file;
    WebPMux* mux = nullptr; // owned; used by the worker while `encoding` runs
    RgbaPicture shown;      // the canvas after the frames encoded so far; the worker's
    RgbaPicture waiting;    // the frame the worker encodes; written only while it is idle
    std::future<std::string> encoding;
    int frames = 0;
};
