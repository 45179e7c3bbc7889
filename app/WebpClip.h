// A clip as an animated WebP: lossless, looping for ever, encoded by libwebp's animation encoder
// as the frames come. The encoded frames stay in memory until Finish assembles the file.
#pragma once

#include "app/AtomicFile.h"
#include "app/ClipWriter.h"

struct WebPAnimEncoder;

class WebpClip : public ClipWriter {
public:
    WebpClip(std::string path, int width, int height, double fps);
    ~WebpClip() override;
    bool AddFrame(const RgbaPicture& frame, std::string* reason) override;
    bool Finish(std::string* reason) override;

private:
    bool Start(std::string* reason) override;
    bool EncoderFailed(std::string* reason);

    AtomicFile file;
    WebPAnimEncoder* encoder = nullptr; // owned
    int frames = 0;
};
