#include "export/WebpClip.h"

#include "export/ChangedArea.h"

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

std::string MuxFailure(WebPMuxError error) {
    return error == WEBP_MUX_MEMORY_ERROR ? "libwebp has no memory for the clip"
                                          : "libwebp could not assemble the clip (error " +
                                                std::to_string(static_cast<int>(error)) + ")";
}

// The part of the frame to store: what changed, at the even offsets WebP allows. An unchanged frame
// still gets a frame of its own, one pixel as it was, so the clip keeps one frame per frame drawn.
ChangedArea PartToStore(const RgbaPicture& shown, const RgbaPicture& frame, bool first) {
    ChangedArea area =
        first ? ChangedArea{0, 0, frame.width, frame.height} : ChangedArea::Between(shown, frame);
    if (area.width == 0)
        area = ChangedArea{0, 0, 1, 1};
    area.width += area.x & 1;
    area.x &= ~1;
    area.height += area.y & 1;
    area.y &= ~1;
    return area;
}

} // namespace

WebpClip::WebpClip(std::string path, int width, int height, double fps)
    : ClipWriter(path, width, height, fps), file(std::move(path)) {}

WebpClip::~WebpClip() {
    // The worker must be done with the muxer before it goes.
    if (encoding.valid())
        encoding.wait();
    WebPMuxDelete(mux);
}

bool WebpClip::Start(std::string* reason) {
    if (!file.Open(reason))
        return false;
    mux = WebPMuxNew();
    if (!mux)
        return Refuse(otherLibwebp, reason);
    const WebPMuxAnimParams looping = {0xff000000, 0}; // black background, loops for ever
    const WebPMuxError set = WebPMuxSetAnimationParams(mux, &looping);
    if (set != WEBP_MUX_OK)
        return Refuse(MuxFailure(set), reason);
    const WebPMuxError sized = WebPMuxSetCanvasSize(mux, width, height);
    return sized == WEBP_MUX_OK || Refuse(MuxFailure(sized), reason);
}

std::string WebpClip::Encode(int index) {
    const ChangedArea area = PartToStore(shown, waiting, index == 0);
    WebPConfig config;
    WebPPicture picture;
    if (!WebPConfigInit(&config) || !WebPPictureInit(&picture))
        return otherLibwebp;
    config.lossless = 1;
    config.method = losslessMethod;
    config.quality = losslessEffort;
    config.exact = 1; // keep the colour of transparent pixels too: every frame reads back as drawn
    picture.use_argb = 1;
    picture.width = area.width;
    picture.height = area.height;
    WebPMemoryWriter encoded;
    WebPMemoryWriterInit(&encoded);
    picture.writer = WebPMemoryWrite;
    picture.custom_ptr = &encoded;
    std::string failure;
    if (!WebPPictureImportRGBA(&picture, waiting.Row(area.y) + area.x * 4, width * 4))
        failure = "libwebp has no memory for a frame";
    else if (!WebPEncode(&config, &picture))
        failure = "libwebp could not encode a frame (error " + std::to_string(picture.error_code) + ")";
    WebPPictureFree(&picture);
    if (failure.empty()) {
        WebPMuxFrameInfo frame = {};
        frame.bitstream = {encoded.mem, encoded.size};
        frame.x_offset = area.x;
        frame.y_offset = area.y;
        frame.duration = static_cast<int>(StartOf(index + 1, 1000) - StartOf(index, 1000));
        frame.id = WEBP_CHUNK_ANMF;
        frame.dispose_method = WEBP_MUX_DISPOSE_NONE;
        frame.blend_method = WEBP_MUX_NO_BLEND;
        const WebPMuxError pushed = WebPMuxPushFrame(mux, &frame, 1);
        if (pushed != WEBP_MUX_OK)
            failure = MuxFailure(pushed);
    }
    WebPMemoryWriterClear(&encoded);
    std::swap(shown, waiting);
    return failure;
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
    encoding = std::async(std::launch::async, &WebpClip::Encode, this, frames);
    ++frames;
    return true;
}

bool WebpClip::Finish(std::string* reason) {
    if (!Collect(reason) || !HasFrames(frames, reason))
        return false;
    WebPData data;
    WebPDataInit(&data);
    const WebPMuxError assembled = WebPMuxAssemble(mux, &data);
    if (assembled != WEBP_MUX_OK)
        return Refuse(MuxFailure(assembled), reason);
    const bool written = file.Write(data.bytes, data.size, reason) && file.Commit(reason);
    WebPDataClear(&data);
    return written;
}
