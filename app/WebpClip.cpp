#include "app/WebpClip.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <utility>

namespace {

// The cheapest lossless effort: the frames are mostly black with thin lines and flat translucent
// faces, which even the fastest method packs well, and encoding must cost less than drawing.
constexpr int losslessMethod = 0;
constexpr float losslessEffort = 0.0f;

// libwebp's Init functions fail only when the library's structures differ from its headers'.
const char* const otherLibwebp = "this libwebp does not match the one the program was built with";

} // namespace

WebpClip::WebpClip(std::string path, int width, int height, double fps)
    : ClipWriter(path, width, height, fps), file(std::move(path)) {}

WebpClip::~WebpClip() {
    // The worker must be done with the encoder before it goes.
    if (encoding.valid())
        encoding.wait();
    if (encoder)
        WebPAnimEncoderDelete(encoder);
}

bool WebpClip::Start(std::string* reason) {
    if (!file.Open(reason))
        return false;
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options))
        return Refuse(otherLibwebp, reason);
    options.anim_params.loop_count = 0; // for ever
    options.anim_params.bgcolor = 0xff000000;
    // No key frames: a frame is stored as the rectangle that changed since the previous one. That
    // is a third of the picture for a turning cube, so encoding costs less than half as much as
    // with whole frames, and the file is a third smaller.
    options.kmin = 0;
    options.kmax = 0;
    options.minimize_size = 0;
    options.allow_mixed = 0;
    encoder = WebPAnimEncoderNew(width, height, &options);
    if (!encoder)
        return Refuse("libwebp has no memory for the encoder", reason);
    return true;
}

std::string WebpClip::Encode(int timestampMs) {
    WebPConfig config;
    WebPPicture picture;
    if (!WebPConfigInit(&config) || !WebPPictureInit(&picture))
        return otherLibwebp;
    config.lossless = 1;
    config.method = losslessMethod;
    config.quality = losslessEffort;
    picture.use_argb = 1;
    picture.width = width;
    picture.height = height;
    if (!WebPPictureImportRGBA(&picture, waiting.pixels.data(), width * 4)) {
        WebPPictureFree(&picture);
        return "libwebp has no memory for a frame";
    }
    const bool added = WebPAnimEncoderAdd(encoder, &picture, timestampMs, &config);
    WebPPictureFree(&picture);
    return added ? std::string() : std::string("libwebp: ") + WebPAnimEncoderGetError(encoder);
}

bool WebpClip::Collect(std::string* reason) {
    if (!encoding.valid())
        return true;
    const std::string failure = encoding.get();
    return failure.empty() || Refuse(failure, reason);
}

bool WebpClip::AddFrame(const RgbaPicture& frame, std::string* reason) {
    if (!Fits(frame, reason) || !Collect(reason))
        return false;
    waiting = frame;
    encoding =
        std::async(std::launch::async, &WebpClip::Encode, this, static_cast<int>(StartOf(frames, 1000)));
    ++frames;
    return true;
}

bool WebpClip::Finish(std::string* reason) {
    if (!Collect(reason) || !HasFrames(frames, reason))
        return false;
    // The time at which the last frame ends gives its duration.
    if (!WebPAnimEncoderAdd(encoder, nullptr, static_cast<int>(StartOf(frames, 1000)), nullptr))
        return Refuse(std::string("libwebp: ") + WebPAnimEncoderGetError(encoder), reason);
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(encoder, &data))
        return Refuse(std::string("libwebp: ") + WebPAnimEncoderGetError(encoder), reason);
    const bool written = file.Write(data.bytes, data.size, reason) && file.Commit(reason);
    WebPDataClear(&data);
    return written;
}
