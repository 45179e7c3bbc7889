#include "export/WebpClip.h"

#include "export/ChangedArea.h"

#include <webp/mux.h>

#include <utility>

namespace {

// WebPMuxNew fails only when the library's structures differ from its headers'.
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
    const std::vector<uint8_t> encoded = lossless.Encode(
        waiting.Row(area.y) + area.x * 4, static_cast<size_t>(width) * 4, area.width, area.height);
    WebPMuxFrameInfo frame = {};
    frame.bitstream = {encoded.data(), encoded.size()};
    frame.x_offset = area.x;
    frame.y_offset = area.y;
    frame.duration = static_cast<int>(StartOf(index + 1, 1000) - StartOf(index, 1000));
    frame.id = WEBP_CHUNK_ANMF;
    frame.dispose_method = WEBP_MUX_DISPOSE_NONE;
    frame.blend_method = WEBP_MUX_NO_BLEND;
    const WebPMuxError pushed = WebPMuxPushFrame(mux, &frame, 1);
    std::swap(shown, waiting);
    return pushed == WEBP_MUX_OK ? std::string() : MuxFailure(pushed);
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
