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

    // The code of these lengths as they are, described nowhere: for a format (deflate) that
    // describes its codes otherwise.
    void Assign(std::vector<uint8_t> symbolLengths);

    // A run of code lengths as the code of code lengths writes it: a length 0 to 15, or 16 (repeat
    // 3 to 6 times), 17 (3 to 10 zeros), 18 (11 to 138 zeros), with the run less its least in
    // `extra`. WebP and deflate share these symbols but not what 16 repeats.
    struct LengthToken {
        uint8_t symbol;
        uint8_t extra;
    };
    enum class Repeat {
        LastNonZero, // WebP: the last length that was not 0, 8 before any
        Previous,    // deflate: the length just before, and nothing before the first
    };
    static std::vector<LengthToken> Tokens(const std::vector<uint8_t>& lengths, Repeat repeat);

private:
    // The codes of `lengths`, canonical (shorter first, then by symbol), their bits reversed:
    // the format reads a code's first bit from the lowest bit of the stream.
    void AssignCodes();
    // The lengths as the format writes them: in the code of code lengths, runs shortened.
    void PutLengths(BitWriter& out) const;

    std::vector<uint8_t> lengths; // what Put writes: 0 bits for a code of one symbol
    std::vector<uint16_t> codes;
};
