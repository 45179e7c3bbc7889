#include "tests/export/ReadBack.h"

#include <gif_lib.h>
#include <png.h>
#include <webp/demux.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

RgbaPicture ReadPng(const std::string& path) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return {};
    image.format = PNG_FORMAT_RGBA;
    RgbaPicture picture(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr))
        return {};
    return picture;
}

namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        uint8_t buffer[65536];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + got);
        std::fclose(file);
    }
    return bytes;
}

} // namespace

ReadAnimation ReadWebp(const std::string& path) {
    ReadAnimation animation;
    const std::vector<uint8_t> bytes = FileBytes(path);
    WebPData data = {bytes.data(), bytes.size()};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_RGBA;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    if (!decoder)
        return animation;
    WebPAnimInfo info;
    if (WebPAnimDecoderGetInfo(decoder, &info)) {
        animation.width = static_cast<int>(info.canvas_width);
        animation.height = static_cast<int>(info.canvas_height);
        animation.loopCount = static_cast<int>(info.loop_count);
        animation.ok = true;
        while (WebPAnimDecoderHasMoreFrames(decoder)) {
            uint8_t* pixels = nullptr;
            int timestamp = 0;
            if (!WebPAnimDecoderGetNext(decoder, &pixels, &timestamp)) {
                animation.ok = false;
                break;
            }
            RgbaPicture frame(animation.width, animation.height);
            std::copy(pixels, pixels + frame.pixels.size(), frame.pixels.begin());
            animation.frames.push_back(std::move(frame));
            animation.endMs.push_back(timestamp);
        }
    }
    WebPAnimDecoderDelete(decoder);
    return animation;
}

ReadAnimation ReadGif(const std::string& path) {
    ReadAnimation animation;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif)
        return animation;
    if (DGifSlurp(gif) == GIF_OK) {
        animation.ok = true;
        animation.width = gif->SWidth;
        animation.height = gif->SHeight;
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage& image = gif->SavedImages[i];
            for (int e = 0; e + 1 < image.ExtensionBlockCount; ++e) {
                const ExtensionBlock& block = image.ExtensionBlocks[e];
                if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                    std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 &&
                    image.ExtensionBlocks[e + 1].ByteCount == 3)
                    animation.loopCount =
                        image.ExtensionBlocks[e + 1].Bytes[1] | image.ExtensionBlocks[e + 1].Bytes[2] << 8;
            }
            GraphicsControlBlock control;
            animation.delayCs.push_back(
                DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK ? control.DelayTime : -1);
            // Every frame of these clips covers the whole canvas.
            const ColorMapObject* palette =
                image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
            RgbaPicture frame(image.ImageDesc.Width, image.ImageDesc.Height);
            for (size_t p = 0; palette && p < frame.pixels.size() / 4; ++p) {
                const GifColorType& colour = palette->Colors[image.RasterBits[p]];
                frame.pixels[p * 4] = colour.Red;
                frame.pixels[p * 4 + 1] = colour.Green;
                frame.pixels[p * 4 + 2] = colour.Blue;
                frame.pixels[p * 4 + 3] = 255;
            }
            animation.frames.push_back(std::move(frame));
        }
    }
    DGifCloseFile(gif, &error);
    return animation;
}
