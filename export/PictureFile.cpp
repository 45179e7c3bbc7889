#include "export/PictureFile.h"

#include "export/AtomicFile.h"
#include "export/CannotWrite.h"

#include <zlib.h>

#include <array>
#include <cstdlib>

namespace {

constexpr int bytesPerPixel = 4;

void PutUint32(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value >> 24));
    out.push_back(static_cast<uint8_t>(value >> 16));
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const uint8_t* data, size_t size) {
    PutUint32(out, static_cast<uint32_t>(size));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data, data + size);
    const uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
    PutUint32(out, static_cast<uint32_t>(crc));
}

uint8_t Paeth(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return static_cast<uint8_t>(left);
    return static_cast<uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

// One row filtered with each of PNG's five filters; the one whose bytes, read as signed, sum to
// the least is kept (the usual heuristic: small differences compress best).
void FilterRow(const uint8_t* row, const uint8_t* above, size_t length,
               std::array<std::vector<uint8_t>, 5>& candidates, std::vector<uint8_t>& out) {
    size_t best = 0;
    unsigned long bestCost = ~0ul;
    for (size_t filter = 0; filter < candidates.size(); ++filter) {
        std::vector<uint8_t>& bytes = candidates[filter];
        bytes.resize(length);
        unsigned long cost = 0;
        for (size_t i = 0; i < length; ++i) {
            const int left = i >= bytesPerPixel ? row[i - bytesPerPixel] : 0;
            const int up = above ? above[i] : 0;
            const int upLeft = above && i >= bytesPerPixel ? above[i - bytesPerPixel] : 0;
            int predicted = 0;
            switch (filter) {
            case 1:
                predicted = left;
                break;
            case 2:
                predicted = up;
                break;
            case 3:
                predicted = (left + up) / 2;
                break;
            case 4:
                predicted = Paeth(left, up, upLeft);
                break;
            default:
                break;
            }
            bytes[i] = static_cast<uint8_t>(row[i] - predicted);
            cost += static_cast<unsigned long>(std::abs(static_cast<int8_t>(bytes[i])));
        }
        if (cost < bestCost) {
            bestCost = cost;
            best = filter;
        }
    }
    out.push_back(static_cast<uint8_t>(best));
    out.insert(out.end(), candidates[best].begin(), candidates[best].end());
}

} // namespace

std::vector<uint8_t> EncodePng(const RgbaPicture& picture) {
    const size_t rowLength = static_cast<size_t>(picture.width) * bytesPerPixel;
    std::vector<uint8_t> filtered;
    filtered.reserve((rowLength + 1) * static_cast<size_t>(picture.height));
    std::array<std::vector<uint8_t>, 5> candidates; // scratch rows, one per filter
    for (int y = 0; y < picture.height; ++y)
        FilterRow(picture.Row(y), y > 0 ? picture.Row(y - 1) : nullptr, rowLength, candidates, filtered);

    uLongf packedSize = compressBound(static_cast<uLong>(filtered.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, filtered.data(), static_cast<uLong>(filtered.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK)
        return {};
    packed.resize(packedSize);

    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> out(signature, signature + sizeof(signature));
    std::vector<uint8_t> header;
    PutUint32(header, static_cast<uint32_t>(picture.width));
    PutUint32(header, static_cast<uint32_t>(picture.height));
    // 8 bits per channel, colour type 6 (RGBA), deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, 6, 0, 0, 0});
    PutChunk(out, "IHDR", header.data(), header.size());
    PutChunk(out, "IDAT", packed.data(), packed.size());
    PutChunk(out, "IEND", nullptr, 0);
    return out;
}

bool WritePngFile(const std::string& path, const RgbaPicture& picture, std::string* reason) {
    const std::vector<uint8_t> bytes = EncodePng(picture);
    if (bytes.empty()) {
        if (reason)
            *reason = CannotWrite(path, "not enough memory to compress the picture");
        return false;
    }
    AtomicFile file(path);
    return file.Open(reason) && file.Write(bytes.data(), bytes.size(), reason) && file.Commit(reason);
}
