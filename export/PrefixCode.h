// One prefix code of WebP's lossless format: a canonical Huffman code of at most 15 bits a symbol,
// made from how often each symbol of its alphabet is written. Make writes the code's description
// as the format has it; Put then writes symbols in it.
#pragma once

#include "export/BitWriter.h"

#include <cstdint>
#include <vector>

class PrefixCode {
public:
    // The code of an alphabet of counts.size() symbols, described into `out`.
    void Make(const std::vector<uint32_t>& counts, BitWriter& out);

    void Put(int symbol, BitWriter& out) const { out.Put(codes[symbol], lengths[symbol]); }
    // The bits of `symbol` and their count, to be put together with others.
    uint32_t Code(int symbol) const { return codes[symbol]; }
    int Length(int symbol) const { return lengths[symbol]; }

    // Lengths of a Huffman code of `counts` none longer than `limit`, 0 for unused symbols; a lone
    // used symbol gets 1.
    static std::vector<uint8_t> Lengths(const std::vector<uint32_t>& counts, int limit);

private:
    // The codes of `lengths`, canonical (shorter first, then by symbol), their bits reversed:
    // the format reads a code's first bit from the lowest bit of the stream.
    void AssignCodes();
    // The lengths as the format writes them: in the code of code lengths, runs shortened.
    void PutLengths(BitWriter& out) const;

    std::vector<uint8_t> lengths; // what Put writes: 0 bits for a code of one symbol
    std::vector<uint16_t> codes;
};
