#include "model/ZipArchive.h"

#include "export/Deflate.h"

#include <array>

namespace {

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// MS-DOS date of 1980-01-01, time 00:00.
constexpr uint32_t dosDate = (1 << 5) | 1;

} // namespace

uint32_t ZipArchive::Crc32(std::string_view data) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : data)
        crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void ZipArchive::Add(const std::string& name, std::string_view data, bool deflated) {
    std::string packed;
    if (deflated) {
        // A zlib stream is a two-byte header, the raw deflate blocks ZIP wants, and a four-byte check.
        const std::string zlib = Deflate::Compress(data);
        packed = zlib.substr(2, zlib.size() - 6);
    } else {
        packed = std::string(data);
    }
    const uint32_t crc = Crc32(data);
    const uint32_t offset = static_cast<uint32_t>(entries.size());
    const uint16_t method = deflated ? 8 : 0;
    const auto common = [&](std::string& out) {
        Put16(out, 20); // version needed: 2.0, for deflate
        Put16(out, 0);  // flags
        Put16(out, method);
        Put16(out, 0); // time
        Put16(out, dosDate);
        Put32(out, crc);
        Put32(out, static_cast<uint32_t>(packed.size()));
        Put32(out, static_cast<uint32_t>(data.size()));
        Put16(out, static_cast<uint32_t>(name.size()));
        Put16(out, 0); // extra field
    };
    Put32(entries, 0x04034b50);
    common(entries);
    entries += name;
    entries += packed;

    Put32(directory, 0x02014b50);
    Put16(directory, 20); // made by: MS-DOS attributes, 2.0
    common(directory);
    Put16(directory, 0); // comment
    Put16(directory, 0); // disk
    Put16(directory, 0); // internal attributes
    Put32(directory, 0); // external attributes
    Put32(directory, offset);
    directory += name;
    ++count;
}

std::string ZipArchive::Finish() const {
    std::string zip = entries + directory;
    Put32(zip, 0x06054b50);
    Put16(zip, 0);
    Put16(zip, 0);
    Put16(zip, count);
    Put16(zip, count);
    Put32(zip, static_cast<uint32_t>(directory.size()));
    Put32(zip, static_cast<uint32_t>(entries.size()));
    Put16(zip, 0);
    return zip;
}
