#include "export/GifClip.h"

#include <gif_lib.h>

#include <utility>

GifClip::GifClip(std::string path, int width, int height, double fps)
    : ClipWriter(path, width, height, fps), file(std::move(path)) {}

GifClip::~GifClip() {
    if (gif)
        EGifCloseFile(gif, nullptr);
}

int GifClip::Output(GifFileType* gif, const unsigned char* bytes, int size) {
    GifClip* clip = static_cast<GifClip*>(gif->UserData);
    if (!clip->writeError.empty() || !clip->file.Write(bytes, static_cast<size_t>(size), &clip->writeError))
        return 0;
    return size;
}

bool GifClip::GifFailed(int error, std::string* reason) {
    if (!writeError.empty()) {
        if (reason)
            *reason = writeError;
        return false;
    }
    const char* message = GifErrorString(error);
    return Refuse(std::string("giflib: ") + (message ? message : "unknown error"), reason);
}

bool GifClip::Start(std::string* reason) {
    if (!file.Open(reason))
        return false;
    int error = 0;
    gif = EGifOpen(this, Output, &error);
    if (!gif)
        return GifFailed(error, reason);
    EGifSetGifVersion(gif, true);
    if (EGifPutScreenDesc(gif, width, height, 8, 0, nullptr) == GIF_ERROR)
        return GifFailed(gif->Error, reason);
    // Loop for ever: the application extension NETSCAPE2.0 with a loop count of 0.
    static const unsigned char application[] = "NETSCAPE2.0";
    static const unsigned char loop[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif, 11, application) == GIF_ERROR ||
        EGifPutExtensionBlock(gif, sizeof(loop), loop) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif) == GIF_ERROR)
        return GifFailed(gif->Error, reason);
    return true;
}

bool GifClip::AddFrame(const RgbaPicture& frame, std::string* reason) {
    if (!Fits(frame, reason))
        return false;
    const size_t count = static_cast<size_t>(width) * height;
    red.resize(count);
    green.resize(count);
    blue.resize(count);
    indices.resize(count);
    for (size_t i = 0; i < count; ++i) {
        red[i] = frame.pixels[i * 4];
        green[i] = frame.pixels[i * 4 + 1];
        blue[i] = frame.pixels[i * 4 + 2];
    }
    ColorMapObject* palette = GifMakeMapObject(256, nullptr);
    if (!palette)
        return Refuse("giflib has no memory for a palette", reason);
    int colours = 256;
    if (GifQuantizeBuffer(static_cast<unsigned>(width), static_cast<unsigned>(height), &colours, red.data(),
                          green.data(), blue.data(), indices.data(), palette->Colors) == GIF_ERROR) {
        GifFreeMapObject(palette);
        return Refuse("giflib could not choose the frame's colours", reason);
    }

    GraphicsControlBlock control = {};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    control.DelayTime = static_cast<int>(StartOf(frames + 1, 100) - StartOf(frames, 100));
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    bool ok =
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_ERROR &&
        EGifPutImageDesc(gif, 0, 0, width, height, false, palette) != GIF_ERROR;
    for (int y = 0; ok && y < height; ++y)
        ok = EGifPutLine(gif, indices.data() + static_cast<size_t>(y) * width, width) != GIF_ERROR;
    GifFreeMapObject(palette);
    if (!ok)
        return GifFailed(gif->Error, reason);
    ++frames;
    return true;
}

bool GifClip::Finish(std::string* reason) {
    if (!HasFrames(frames, reason))
        return false;
    int error = 0;
    const int closed = EGifCloseFile(gif, &error); // writes the trailer and frees gif either way
    gif = nullptr;
    if (closed == GIF_ERROR)
        return GifFailed(error, reason);
    return file.Commit(reason);
}
