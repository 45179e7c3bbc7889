#include "export/PrefixCode.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int longestCode = 15;
constexpr int longestLengthCode = 7;
// The order in which the lengths of the code of code lengths are written: the likeliest first,
// so that the unused ones at the end can be left out.
constexpr int lengthCodeOrder[19] = {17, 18, 0, 1, 2, 3, 4, 5, 16, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
// The code of code lengths: 0 to 15 are lengths; 16 repeats the last length that was not 0 3 to 6
// times, 17 writes 3 to 10 zeros, 18 writes 11 to 138.
constexpr int repeatLength = 16, someZeros = 17, manyZeros = 18;

} // namespace

std::vector<PrefixCode::LengthToken> PrefixCode::Tokens(const std::vector<uint8_t>& lengths, Repeat repeat) {
    std::vector<LengthToken> tokens;
    // What repeatLength would repeat: in deflate a 0 before any length, so that the first is
    // written out, as is the first after zeros.
    int previous = repeat == Repeat::LastNonZero ? 8 : 0;
    for (size_t i = 0; i < lengths.size();) {
        const uint8_t value = lengths[i];
        size_t run = 1;
        while (i + run < lengths.size() && lengths[i + run] == value)
            ++run;
        i += run;
        if (value == 0) {
            for (; run >= 11; run -= std::min<size_t>(run, 138))
                tokens.push_back({manyZeros, static_cast<uint8_t>(std::min<size_t>(run, 138) - 11)});
            if (run >= 3)
                tokens.push_back({someZeros, static_cast<uint8_t>(run - 3)}), run = 0;
            for (; run > 0; --run)
                tokens.push_back({0, 0});
            if (repeat == Repeat::Previous)
                previous = 0;
            continue;
        }
        if (value != previous) {
            tokens.push_back({value, 0});
            previous = value;
            --run;
        }
        for (; run >= 3; run -= std::min<size_t>(run, 6))
            tokens.push_back({repeatLength, static_cast<uint8_t>(std::min<size_t>(run, 6) - 3)});
        for (; run > 0; --run)
            tokens.push_back({value, 0});
    }
    return tokens;
}

std::vector<uint8_t> PrefixCode::Lengths(const std::vector<uint32_t>& counts, int limit) {
    std::vector<uint8_t> result(counts.size(), 0);
    std::vector<int> used;
    for (size_t i = 0; i < counts.size(); ++i)
        if (counts[i])
            used.push_back(static_cast<int>(i));
    if (used.size() == 1)
        result[used[0]] = 1;
    if (used.size() <= 1)
        return result;
    // Huffman's tree from two queues, the leaves sorted by weight and the inner nodes made in
    // order of weight. A tree too deep is made again with every count raised to at least a
    // least count twice as large, until it fits.
    const size_t leaves = used.size();
    std::vector<std::pair<uint64_t, int>> sorted(leaves);
    std::vector<uint64_t> weight(2 * leaves - 1);
    std::vector<size_t> parent(2 * leaves - 1);
    std::vector<uint8_t> depth(2 * leaves - 1);
    for (uint64_t least = 1;; least *= 2) {
        for (size_t i = 0; i < leaves; ++i)
            sorted[i] = {std::max<uint64_t>(counts[used[i]], least), used[i]};
        std::sort(sorted.begin(), sorted.end());
        for (size_t i = 0; i < leaves; ++i)
            weight[i] = sorted[i].first;
        size_t leaf = 0, inner = leaves;
        const auto lightest = [&](size_t made) {
            return leaf < leaves && (inner == made || weight[leaf] <= weight[inner]) ? leaf++ : inner++;
        };
        for (size_t made = leaves; made < 2 * leaves - 1; ++made) {
            const size_t a = lightest(made), b = lightest(made);
            weight[made] = weight[a] + weight[b];
            parent[a] = parent[b] = made;
        }
        int deepest = 0;
        depth[2 * leaves - 2] = 0;
        for (size_t i = 2 * leaves - 2; i-- > 0;) {
            depth[i] = static_cast<uint8_t>(depth[parent[i]] + 1);
            deepest = std::max<int>(deepest, depth[i]);
        }
        if (deepest <= limit) {
            for (size_t i = 0; i < leaves; ++i)
                result[sorted[i].second] = depth[i];
            return result;
        }
    }
}

void PrefixCode::AssignCodes() {
    codes.assign(lengths.size(), 0);
    int perLength[longestCode + 1] = {};
    for (uint8_t length : lengths)
        ++perLength[length];
    perLength[0] = 0;
    int next[longestCode + 1] = {};
    for (int length = 1, code = 0; length <= longestCode; ++length) {
        code = (code + perLength[length - 1]) << 1;
        next[length] = code;
    }
    for (size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        const int length = lengths[symbol];
        if (length == 0)
            continue;
        const int code = next[length]++;
        int reversed = 0;
        for (int bit = 0; bit < length; ++bit)
            reversed |= ((code >> bit) & 1) << (length - 1 - bit);
        codes[symbol] = static_cast<uint16_t>(reversed);
    }
}

void PrefixCode::Assign(std::vector<uint8_t> symbolLengths) {
    lengths = std::move(symbolLengths);
    AssignCodes();
}

void PrefixCode::PutLengths(BitWriter& out) const {
    const std::vector<LengthToken> tokens = Tokens(lengths, Repeat::LastNonZero);
    std::vector<uint32_t> counts(19, 0);
    for (const LengthToken& token : tokens)
        ++counts[token.symbol];
    PrefixCode lengthCode;
    lengthCode.lengths = Lengths(counts, longestLengthCode);
    int written = 19;
    while (written > 4 && lengthCode.lengths[lengthCodeOrder[written - 1]] == 0)
        --written;
    out.Put(0, 1); // not a simple code
    out.Put(written - 4, 4);
    for (int i = 0; i < written; ++i)
        out.Put(lengthCode.lengths[lengthCodeOrder[i]], 3);
    out.Put(0, 1); // lengths for the whole alphabet
    const bool oneSymbol = std::count(counts.begin(), counts.end(), 0u) == 18;
    if (oneSymbol)
        lengthCode.lengths.assign(19, 0); // a code of one symbol takes no bits
    lengthCode.AssignCodes();
    static constexpr int extraBits[19] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};
    for (const LengthToken& token : tokens) {
        lengthCode.Put(token.symbol, out);
        out.Put(token.extra, extraBits[token.symbol]);
    }
}

void PrefixCode::Make(const std::vector<uint32_t>& counts, BitWriter& out) {
    std::vector<int> used;
    for (size_t i = 0; i < counts.size() && used.size() < 3; ++i)
        if (counts[i])
            used.push_back(static_cast<int>(i));
    lengths.assign(counts.size(), 0);
    if (used.size() <= 2 && (used.empty() || used.back() < 256)) {
        // A simple code: one or two symbols below 256 named outright. One takes no bits; of two,
        // the smaller is 0 and the larger 1. With none used, symbol 0 stands for them.
        if (used.empty())
            used.push_back(0);
        out.Put(1, 1);
        out.Put(static_cast<uint32_t>(used.size() - 1), 1);
        const bool wide = used[0] > 1;
        out.Put(wide, 1);
        out.Put(used[0], wide ? 8 : 1);
        if (used.size() == 2) {
            out.Put(used[1], 8);
            lengths[used[0]] = lengths[used[1]] = 1;
        }
        AssignCodes();
        return;
    }
    lengths = Lengths(counts, longestCode);
    PutLengths(out);
    if (used.size() == 1)
        lengths[used[0]] = 0; // a code of one symbol takes no bits
    AssignCodes();
}
