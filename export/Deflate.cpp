#include "export/Deflate.h"

#include "export/BitWriter.h"
#include "export/PrefixCode.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr int windowSize = 32768;
constexpr int shortestMatch = 3;
constexpr int longestMatch = 258;
constexpr int hashBits = 15;
// How many earlier positions a search tries, and a match long enough not to look one byte further
// for a longer one: few, since the text of a PDF's paths repeats mostly close by, and a figure must
// not take longer than the picture of the same view.
constexpr int chainLimit = 4;
constexpr int goodEnough = 8;
// How many positions of a match go into the chains, as zlib's fastest levels do: the rest of a long
// match is rarely where a later one starts, and inserting it was a third of the time.
constexpr size_t insertedInMatch = 4;
constexpr size_t tokensPerBlock = 1 << 16;

constexpr int endOfBlock = 256;
constexpr int literalSymbols = 286;
constexpr int distanceSymbols = 30;
constexpr int lengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int distanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                  33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                  1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int distanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                   6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block gives the lengths of its code of code lengths.
constexpr int lengthCodeOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
constexpr int lengthTokenExtra[19] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};

// A literal byte (distance 0) or a match of `length` bytes `distance` back.
struct Token {
    uint16_t length;
    uint16_t distance;
};

int LengthSymbol(int length) {
    return static_cast<int>(std::upper_bound(std::begin(lengthBase), std::end(lengthBase), length) -
                            std::begin(lengthBase)) -
           1;
}

int DistanceSymbol(int distance) {
    return static_cast<int>(std::upper_bound(std::begin(distanceBase), std::end(distanceBase), distance) -
                            std::begin(distanceBase)) -
           1;
}

class Matcher {
public:
    explicit Matcher(std::string_view input)
        : data(reinterpret_cast<const uint8_t*>(input.data())), size(input.size()), head(1 << hashBits, -1),
          previous(windowSize, -1) {}

    // The longest match for the bytes at `at` among the earlier positions inserted, 0 if none.
    Token Longest(size_t at) const {
        Token best{0, 0};
        if (at + shortestMatch > size)
            return best;
        const size_t most = std::min<size_t>(longestMatch, size - at);
        long candidate = head[Hash(at)];
        for (int tries = chainLimit; candidate >= 0 && tries > 0; --tries) {
            const size_t from = static_cast<size_t>(candidate);
            if (at - from > windowSize)
                break;
            if (data[from + best.length] == data[at + best.length]) {
                size_t length = 0;
                while (length < most && data[from + length] == data[at + length])
                    ++length;
                if (length > best.length) {
                    best = {static_cast<uint16_t>(length), static_cast<uint16_t>(at - from)};
                    if (length == most)
                        break;
                }
            }
            const long next = previous[from % windowSize];
            if (next >= candidate)
                break;
            candidate = next;
        }
        if (best.length < shortestMatch)
            best = {0, 0};
        return best;
    }

    void Insert(size_t at) {
        if (at + shortestMatch > size)
            return;
        int32_t& first = head[Hash(at)];
        previous[at % windowSize] = first;
        first = static_cast<int32_t>(at);
    }

private:
    uint32_t Hash(size_t at) const {
        return ((data[at] << 10) ^ (data[at + 1] << 5) ^ data[at + 2]) & ((1u << hashBits) - 1);
    }

    const uint8_t* data; // not owned: the input of Compress
    size_t size;
    std::vector<int32_t> head;     // the latest position of each hash, -1 for none
    std::vector<int32_t> previous; // the position before it of the same hash, by position in the window
};

std::vector<Token> Tokens(std::string_view input) {
    std::vector<Token> tokens;
    Matcher matcher(input);
    for (size_t at = 0; at < input.size();) {
        Token match = matcher.Longest(at);
        if (match.length >= shortestMatch && match.length < goodEnough) {
            matcher.Insert(at);
            const Token later = matcher.Longest(at + 1);
            if (later.length > match.length) {
                tokens.push_back({static_cast<uint8_t>(input[at]), 0});
                ++at;
                continue; // the position is in the chain already; the next search finds `later`
            }
            for (size_t i = 1; i < std::min<size_t>(match.length, insertedInMatch); ++i)
                matcher.Insert(at + i);
            tokens.push_back(match);
            at += match.length;
            continue;
        }
        for (size_t i = 0; i < std::min<size_t>(std::max<size_t>(match.length, 1), insertedInMatch); ++i)
            matcher.Insert(at + i);
        tokens.push_back(match.length ? match : Token{static_cast<uint8_t>(input[at]), 0});
        at += std::max<size_t>(match.length, 1);
    }
    return tokens;
}

struct Counts {
    std::vector<uint32_t> literals = std::vector<uint32_t>(literalSymbols, 0);
    std::vector<uint32_t> distances = std::vector<uint32_t>(distanceSymbols, 0);
};

Counts Count(const Token* tokens, size_t count) {
    Counts counts;
    for (size_t i = 0; i < count; ++i) {
        if (tokens[i].distance == 0) {
            ++counts.literals[tokens[i].length];
            continue;
        }
        ++counts.literals[257 + LengthSymbol(tokens[i].length)];
        ++counts.distances[DistanceSymbol(tokens[i].distance)];
    }
    ++counts.literals[endOfBlock];
    return counts;
}

// The bits of the tokens and the end of the block in these codes.
uint64_t BodyBits(const Counts& counts, const std::vector<uint8_t>& literal,
                  const std::vector<uint8_t>& distance) {
    uint64_t bits = 0;
    for (int s = 0; s < literalSymbols; ++s)
        bits +=
            static_cast<uint64_t>(counts.literals[s]) * (literal[s] + (s > 256 ? lengthExtra[s - 257] : 0));
    for (int s = 0; s < distanceSymbols; ++s)
        bits += static_cast<uint64_t>(counts.distances[s]) * (distance[s] + distanceExtra[s]);
    return bits;
}

void PutTokens(const Token* tokens, size_t count, const PrefixCode& literal, const PrefixCode& distance,
               BitWriter& out) {
    for (size_t i = 0; i < count; ++i) {
        const Token token = tokens[i];
        if (token.distance == 0) {
            literal.Put(token.length, out);
            continue;
        }
        const int lengthSymbol = LengthSymbol(token.length);
        literal.Put(257 + lengthSymbol, out);
        out.Put(token.length - lengthBase[lengthSymbol], lengthExtra[lengthSymbol]);
        const int distanceSymbol = DistanceSymbol(token.distance);
        distance.Put(distanceSymbol, out);
        out.Put(token.distance - distanceBase[distanceSymbol], distanceExtra[distanceSymbol]);
    }
    literal.Put(endOfBlock, out);
}

// A dynamic block's own codes and how they are described.
struct DynamicCodes {
    std::vector<uint8_t> literal;
    std::vector<uint8_t> distance;
    int literalCount = 0;  // lengths given, 257 to 286
    int distanceCount = 0; // 1 to 30
    std::vector<PrefixCode::LengthToken> tokens;
    std::vector<uint8_t> lengthCode; // of the 19 symbols
    int lengthCodeCount = 0;         // how many of them are given, in lengthCodeOrder, 4 to 19
    uint64_t headerBits = 0;         // after the block's three first bits

    explicit DynamicCodes(Counts counts) {
        // A block without matches still gives one distance code, which decoders accept alone.
        if (std::count(counts.distances.begin(), counts.distances.end(), 0u) == distanceSymbols)
            counts.distances[0] = 1;
        literal = PrefixCode::Lengths(counts.literals, 15);
        distance = PrefixCode::Lengths(counts.distances, 15);
        literalCount = literalSymbols;
        while (literalCount > 257 && literal[literalCount - 1] == 0)
            --literalCount;
        distanceCount = distanceSymbols;
        while (distanceCount > 1 && distance[distanceCount - 1] == 0)
            --distanceCount;
        std::vector<uint8_t> all(literal.begin(), literal.begin() + literalCount);
        all.insert(all.end(), distance.begin(), distance.begin() + distanceCount);
        tokens = PrefixCode::Tokens(all, PrefixCode::Repeat::Previous);
        std::vector<uint32_t> tokenCounts(19, 0);
        for (const PrefixCode::LengthToken& token : tokens)
            ++tokenCounts[token.symbol];
        // The code of code lengths must be complete: a lone symbol is given a partner.
        if (std::count(tokenCounts.begin(), tokenCounts.end(), 0u) == 18)
            ++tokenCounts[tokenCounts[0] ? 1 : 0];
        lengthCode = PrefixCode::Lengths(tokenCounts, 7);
        lengthCodeCount = 19;
        while (lengthCodeCount > 4 && lengthCode[lengthCodeOrder[lengthCodeCount - 1]] == 0)
            --lengthCodeCount;
        headerBits = 5 + 5 + 4 + 3 * lengthCodeCount;
        for (const PrefixCode::LengthToken& token : tokens)
            headerBits += lengthCode[token.symbol] + lengthTokenExtra[token.symbol];
    }

    void PutHeader(BitWriter& out) const {
        out.Put(literalCount - 257, 5);
        out.Put(distanceCount - 1, 5);
        out.Put(lengthCodeCount - 4, 4);
        for (int i = 0; i < lengthCodeCount; ++i)
            out.Put(lengthCode[lengthCodeOrder[i]], 3);
        PrefixCode code;
        code.Assign(lengthCode);
        for (const PrefixCode::LengthToken& token : tokens) {
            code.Put(token.symbol, out);
            out.Put(token.extra, lengthTokenExtra[token.symbol]);
        }
    }
};

std::vector<uint8_t> FixedLiteralLengths() {
    std::vector<uint8_t> lengths(288, 8);
    std::fill(lengths.begin() + 144, lengths.begin() + 256, 9);
    std::fill(lengths.begin() + 256, lengths.begin() + 280, 7);
    return lengths;
}

void PutBlock(const Token* tokens, size_t count, bool last, BitWriter& out) {
    const Counts counts = Count(tokens, count);
    static const std::vector<uint8_t> fixedLiteral = FixedLiteralLengths();
    static const std::vector<uint8_t> fixedDistance(distanceSymbols, 5);
    const DynamicCodes dynamic(counts);
    const uint64_t fixedBits = BodyBits(counts, fixedLiteral, fixedDistance);
    const uint64_t dynamicBits = dynamic.headerBits + BodyBits(counts, dynamic.literal, dynamic.distance);
    const bool fixed = fixedBits <= dynamicBits;
    out.Put(last, 1);
    out.Put(fixed ? 1 : 2, 2);
    PrefixCode literal, distance;
    if (fixed) {
        literal.Assign(fixedLiteral);
        distance.Assign(fixedDistance);
    } else {
        dynamic.PutHeader(out);
        literal.Assign(dynamic.literal);
        distance.Assign(dynamic.distance);
    }
    PutTokens(tokens, count, literal, distance, out);
}

uint32_t Adler32(std::string_view input) {
    uint32_t a = 1, b = 0;
    for (size_t at = 0; at < input.size();) {
        // 5,552 bytes is the most that cannot overflow b before it is reduced.
        const size_t end = std::min(input.size(), at + 5552);
        for (; at < end; ++at) {
            a += static_cast<uint8_t>(input[at]);
            b += a;
        }
        a %= 65521;
        b %= 65521;
    }
    return (b << 16) | a;
}

} // namespace

std::string Deflate::Compress(std::string_view input) {
    const std::vector<Token> tokens = Tokens(input);
    BitWriter bits;
    size_t done = 0;
    do {
        const size_t count = std::min(tokensPerBlock, tokens.size() - done);
        PutBlock(tokens.data() + done, count, done + count == tokens.size(), bits);
        done += count;
    } while (done < tokens.size());
    const std::vector<uint8_t> body = bits.Finish();
    // 32 K window, deflate, the default level; the check bits make the header a multiple of 31.
    std::string out = "\x78\x9c";
    out.append(body.begin(), body.end());
    const uint32_t adler = Adler32(input);
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((adler >> shift) & 0xff));
    return out;
}
