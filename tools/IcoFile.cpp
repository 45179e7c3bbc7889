#include "tools/IcoFile.h"

#include <png.h>

#include <cstddef>

namespace {

constexpr size_t directoryHeaderSize = 6;
constexpr size_t directoryEntrySize = 16;
constexpr size_t bitmapHeaderSize = 40;
// Windows keeps reading bitmaps up to this size; larger icons are PNG.
constexpr int largestBitmap = 255;

void PutU16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xff));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xff));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    PutU16(out, value & 0xffff);
    PutU16(out, value >> 16);
}

// A device-independent bitmap as icons store it: the header gives twice the height, because the
// colour rows (BGRA, bottom row first) are followed by the 1-bit mask rows, each row padded to 4
// bytes, with a set bit where the pixel is fully transparent.
std::vector<uint8_t> EncodeBitmap(const IcoPicture& picture) {
    const int size = picture.size;
    const size_t maskRow = (static_cast<size_t>(size) + 31) / 32 * 4;
    const size_t colourBytes = static_cast<size_t>(size) * size * 4;
    std::vector<uint8_t> out;
    PutU32(out, bitmapHeaderSize);
    PutU32(out, static_cast<uint32_t>(size));
    PutU32(out, static_cast<uint32_t>(size * 2));
    PutU16(out, 1);  // planes
    PutU16(out, 32); // bits per pixel
    PutU32(out, 0);  // no compression
    PutU32(out, static_cast<uint32_t>(colourBytes + maskRow * size));
    for (int i = 0; i < 4; ++i)
        PutU32(out, 0); // resolution and palette: unused
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const uint8_t* pixel = &picture.rgba[(static_cast<size_t>(y) * size + x) * 4];
            out.insert(out.end(), {pixel[2], pixel[1], pixel[0], pixel[3]});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskRow, 0);
        for (int x = 0; x < size; ++x)
            if (picture.rgba[(static_cast<size_t>(y) * size + x) * 4 + 3] == 0)
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> EncodePng(const IcoPicture& picture) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.size);
    image.height = static_cast<png_uint_32>(picture.size);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t bytes = 0;
    if (!png_image_write_to_memory(&image, nullptr, &bytes, 0, picture.rgba.data(), 0, nullptr))
        return {};
    std::vector<uint8_t> out(bytes);
    if (!png_image_write_to_memory(&image, out.data(), &bytes, 0, picture.rgba.data(), 0, nullptr))
        return {};
    out.resize(bytes);
    return out;
}

} // namespace

std::vector<uint8_t> EncodeIco(const std::vector<IcoPicture>& pictures) {
    std::vector<std::vector<uint8_t>> images;
    for (const IcoPicture& picture : pictures) {
        if (picture.size < 1 || picture.size > 256 ||
            picture.rgba.size() != static_cast<size_t>(picture.size) * picture.size * 4)
            return {};
        images.push_back(picture.size <= largestBitmap ? EncodeBitmap(picture) : EncodePng(picture));
        if (images.back().empty())
            return {};
    }

    std::vector<uint8_t> out;
    PutU16(out, 0); // reserved
    PutU16(out, 1); // an icon, not a cursor
    PutU16(out, static_cast<uint32_t>(pictures.size()));
    size_t offset = directoryHeaderSize + directoryEntrySize * pictures.size();
    for (size_t i = 0; i < pictures.size(); ++i) {
        // A width or height of 256 does not fit the byte and is written as 0.
        const auto side = static_cast<uint8_t>(pictures[i].size & 0xff);
        out.insert(out.end(), {side, side, 0, 0}); // no palette, reserved
        PutU16(out, 1);                            // planes
        PutU16(out, 32);                           // bits per pixel
        PutU32(out, static_cast<uint32_t>(images[i].size()));
        PutU32(out, static_cast<uint32_t>(offset));
        offset += images[i].size();
    }
    for (const std::vector<uint8_t>& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}
