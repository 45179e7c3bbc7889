// Bytes compressed as a zlib stream (a two-byte header, deflate blocks, the Adler-32 of the input),
// without zlib: the browser build has none, and a PDF's streams need only this much of it. Matches
// are found along a hash chain of three-byte prefixes, one position ahead (lazy matching); each
// block takes the fixed or its own Huffman code, whichever is shorter. The same input always gives
// the same bytes.
#pragma once

#include <string>
#include <string_view>

class Deflate {
public:
    static std::string Compress(std::string_view input);
};
