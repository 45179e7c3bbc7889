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
    // Every frame a key frame: a turning cube changes nearly the whole picture from frame to
    // frame, and the encoder would otherwise encode each frame twice to compare.
    options.kmin = 0;
    options.kmax = 1;
    encoder = WebPAnimEncoderNew(width, height, &options);
    if (!encoder)
        return Refuse("libwebp has no memory for the encoder", reason);
    return true;
}

bool WebpClip::EncoderFailed(std::string* reason) {
    return Refuse(std::string("libwebp: ") + WebPAnimEncoderGetError(encoder), reason);
}

bool WebpClip::AddFrame(const RgbaPicture& frame, std::string* reason) {
    if (!Fits(frame, reason))
        return false;
    WebPConfig config;
    WebPPicture picture;
    if (!WebPConfigInit(&config) || !WebPPictureInit(&picture))
        return Refuse(otherLibwebp, reason);
    config.lossless = 1;
    config.method = losslessMethod;
    config.quality = losslessEffort;
    picture.use_argb = 1;
    picture.width = width;
    picture.height = height;
    if (!WebPPictureImportRGBA(&picture, frame.pixels.data(), width * 4)) {
        WebPPictureFree(&picture);
        return Refuse("libwebp has no memory for a frame", reason);
    }
    const bool added =
        WebPAnimEncoderAdd(encoder, &picture, static_cast<int>(StartOf(frames, 1000)), &config);
    WebPPictureFree(&picture);
    if (!added)
        return EncoderFailed(reason);
    ++frames;
    return true;
}

bool WebpClip::Finish(std::string* reason) {
    if (!HasFrames(frames, reason))
        return false;
    // The time at which the last frame ends gives its duration.
    if (!WebPAnimEncoderAdd(encoder, nullptr, static_cast<int>(StartOf(frames, 1000)), nullptr))
        return EncoderFailed(reason);
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(encoder, &data))
        return EncoderFailed(reason);
    const bool written = file.Write(data.bytes, data.size, reason) && file.Commit(reason);
    WebPDataClear(&data);
    return written;
}
