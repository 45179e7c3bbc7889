// Bits packed into bytes from the least significant bit up, as WebP's lossless format stores them.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

class BitWriter {
public:
    // The low `count` bits of `bits`, at most 32; the bits above them must be 0.
    void Put(uint32_t bits, int count) {
        pending |= static_cast<uint64_t>(bits) << used;
        used += count;
        if (used >= 32) {
            if (filled + 4 > bytes.size())
                bytes.resize(bytes.size() * 2 + 64);
            const uint32_t word = static_cast<uint32_t>(pending); // little-endian, as every target is
            std::memcpy(bytes.data() + filled, &word, 4);
            filled += 4;
            pending >>= 32;
            used -= 32;
        }
    }

    // The bytes written so far, the last one filled up with zero bits; the writer starts afresh.
    std::vector<uint8_t> Finish();

private:
    std::vector<uint8_t> bytes; // the first `filled` are written
    size_t filled = 0;
    uint64_t pending = 0; // bits not yet in `bytes`, the first in the lowest
    int used = 0;         // how many of `pending` are bits; fewer than 32 between calls
};
