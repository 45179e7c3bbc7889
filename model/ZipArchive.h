// A ZIP archive in memory, as the Open Packaging Conventions of 3MF want it: entries deflated or
// stored, no directories, no extra fields, and a fixed date (1980-01-01) so that the same model gives
// the same bytes. The compression is export/Deflate's, which every build has.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class ZipArchive {
public:
    void Add(const std::string& name, std::string_view data, bool deflated);
    // The archive with its central directory.
    std::string Finish() const;

    static uint32_t Crc32(std::string_view data);

private:
    std::string entries;
    std::string directory;
    uint16_t count = 0;
};
