// LZHUF encoder: match finding over hash chains, a parse priced by the adaptive code, and the bit coder.
#include "lzhuf_encoder.h"

#include <math.h>
#include <string.h>

namespace {

constexpr uint32_t WindowSize = 4096;
constexpr uint32_t MaxMatch = 60;
constexpr uint32_t MinMatch = 3;
constexpr uint32_t SymbolCount = 256 + MaxMatch - MinMatch + 1;  // 314
constexpr uint32_t NodeCount = 2 * SymbolCount - 1;              // 627
constexpr uint32_t Root = NodeCount - 1;
constexpr uint32_t RebuildWeight = 0x8000;
// The decoder's window starts as 4036 spaces with the first byte written after them; modelling that
// prefix lets early matches reach into the spaces exactly as the decoder will see them.
constexpr uint32_t SpacePrefix = WindowSize - MaxMatch;

constexpr uint32_t HashBits = 15;
constexpr uint32_t MaxChain = 256;
// The parse commits this many bytes at a time and looks a little further so a match is not cut at the
// block's end; prices are refreshed per block because the coder adapts as it goes.
constexpr uint32_t ParseBlock = 1024;
constexpr uint32_t ParseLookahead = 512;
constexpr uint32_t PriceScale = 64;

// The adaptive Huffman tree, kept exactly as the decoder keeps it so both sides assign the same codes.
// Written plainly and apart from the decoder's tuned steps on purpose: every round trip then compares
// the two, and the decoder's own tests pin both to states worked out by hand.
struct CoderTree {
    uint16_t weight[NodeCount + 1];
    int16_t child[NodeCount];
    int16_t parent[NodeCount + SymbolCount];
};

struct BitWriter {
    std::vector<unsigned char>* out;
    uint32_t pending;  // bits not yet stored, aligned to the right
    uint32_t pendingCount;
};

struct Match {
    uint16_t length;
    uint16_t distance;  // 1..4096
};

// All matches at every input position: lengths strictly rising, each with the nearest distance for it.
struct MatchTable {
    std::vector<uint32_t> first;  // size + 1 offsets into matches
    std::vector<Match> matches;
};

void InitCoderTree(CoderTree& tree)
{
    for (uint32_t s = 0; s < SymbolCount; s++) {
        tree.weight[s] = 1;
        tree.child[s] = int16_t(NodeCount + s);
        tree.parent[NodeCount + s] = int16_t(s);
    }
    for (uint32_t n = SymbolCount, low = 0; n < NodeCount; n++, low += 2) {
        tree.weight[n] = uint16_t(tree.weight[low] + tree.weight[low + 1]);
        tree.child[n] = int16_t(low);
        tree.parent[low] = int16_t(n);
        tree.parent[low + 1] = int16_t(n);
    }
    tree.weight[NodeCount] = 0xFFFF;
    tree.parent[Root] = 0;
}

void RebuildCoderTree(CoderTree& tree)
{
    uint32_t leaves = 0;
    for (uint32_t n = 0; n < NodeCount; n++) {
        if (uint32_t(tree.child[n]) >= NodeCount) {
            tree.weight[leaves] = uint16_t((tree.weight[n] + 1) >> 1);
            tree.child[leaves] = tree.child[n];
            leaves++;
        }
    }
    for (uint32_t n = SymbolCount, low = 0; n < NodeCount; n++, low += 2) {
        uint16_t sum = uint16_t(tree.weight[low] + tree.weight[low + 1]);
        uint32_t slot = n;
        while (tree.weight[slot - 1] > sum) {
            tree.weight[slot] = tree.weight[slot - 1];
            tree.child[slot] = tree.child[slot - 1];
            slot--;
        }
        tree.weight[slot] = sum;
        tree.child[slot] = int16_t(low);
    }
    for (uint32_t n = 0; n < NodeCount; n++) {
        uint32_t c = uint32_t(tree.child[n]);
        tree.parent[c] = int16_t(n);
        if (c < NodeCount)
            tree.parent[c + 1] = int16_t(n);
    }
}

void CountSymbol(CoderTree& tree, uint32_t symbol)
{
    if (tree.weight[Root] == RebuildWeight)
        RebuildCoderTree(tree);
    // Node 0 is always a leaf, so the walk must count it before testing for the root's parent entry.
    uint32_t n = uint32_t(tree.parent[NodeCount + symbol]);
    do {
        uint16_t raised = uint16_t(tree.weight[n] + 1);
        if (raised > tree.weight[n + 1]) {
            uint32_t swap = n + 1;
            while (raised > tree.weight[swap + 1])
                swap++;
            tree.weight[n] = tree.weight[swap];
            tree.weight[swap] = raised;
            uint32_t mine = uint32_t(tree.child[n]);
            uint32_t theirs = uint32_t(tree.child[swap]);
            tree.child[n] = int16_t(theirs);
            tree.child[swap] = int16_t(mine);
            tree.parent[mine] = int16_t(swap);
            if (mine < NodeCount)
                tree.parent[mine + 1] = int16_t(swap);
            tree.parent[theirs] = int16_t(n);
            if (theirs < NodeCount)
                tree.parent[theirs + 1] = int16_t(n);
            n = swap;
        } else {
            tree.weight[n] = raised;
        }
        n = uint32_t(tree.parent[n]);
    } while (n != 0);
}

// Price of every symbol in 1/64 bit, from its share of the adaptive weights: these follow every symbol,
// where the depth of a leaf moves in whole bits and only at exchanges (measured a little smaller output).
void PriceSymbols(const CoderTree& tree, uint32_t prices[SymbolCount])
{
    const double total = tree.weight[Root];
    for (uint32_t s = 0; s < SymbolCount; s++)
        prices[s] = uint32_t(PriceScale * log2(total / tree.weight[tree.parent[NodeCount + s]]) + 0.5);
}

void PutBits(BitWriter& writer, uint32_t value, uint32_t count)
{
    // count is at most 24, so pending (< 8 bits) plus count fits in 32 bits.
    writer.pending = (writer.pending << count) | (value & ((1u << count) - 1));
    writer.pendingCount += count;
    while (writer.pendingCount >= 8) {
        writer.pendingCount -= 8;
        writer.out->push_back((unsigned char)(writer.pending >> writer.pendingCount));
    }
    writer.pending &= (1u << writer.pendingCount) - 1;
}

void FinishBits(BitWriter& writer)
{
    if (writer.pendingCount != 0)
        PutBits(writer, 0, 8 - writer.pendingCount);
}

void EncodeSymbol(CoderTree& tree, BitWriter& writer, uint32_t symbol)
{
    // Walk from the leaf to the root; the bit chosen at each level says whether the node is its
    // parent's first or second child. The root-side bit goes out first.
    uint32_t code[64];
    uint32_t length = 0;
    uint32_t n = uint32_t(tree.parent[NodeCount + symbol]);
    while (n != Root) {
        uint32_t up = uint32_t(tree.parent[n]);
        code[length++] = n - uint32_t(tree.child[up]);
        n = up;
    }
    while (length > 0)
        PutBits(writer, code[--length], 1);
    CountSymbol(tree, symbol);
}

// Prefix codes for the upper 6 bits of a position: value 0 gets 3 bits, 1-3 get 4, 4-11 get 5,
// 12-23 get 6, 24-47 get 7 and 48-63 get 8, assigned in rising order as a canonical code.
struct PositionCodes {
    uint8_t length[64];
    uint8_t code[64];
};

PositionCodes MakePositionCodes()
{
    static const uint32_t groups[][2] = {{1, 3}, {3, 4}, {8, 5}, {12, 6}, {24, 7}, {16, 8}};
    PositionCodes codes;
    uint32_t high = 0;
    uint32_t firstEntry = 0;  // index into the 256-entry space of 8-bit prefixes
    for (const auto& group : groups) {
        for (uint32_t k = 0; k < group[0]; k++, high++) {
            codes.length[high] = uint8_t(group[1]);
            codes.code[high] = uint8_t(firstEntry >> (8 - group[1]));
            firstEntry += 1u << (8 - group[1]);
        }
    }
    return codes;
}

const PositionCodes positionCodes = MakePositionCodes();

uint32_t PositionBits(uint32_t distance)
{
    return positionCodes.length[(distance - 1) >> 6] + 6u;
}

void EncodePosition(BitWriter& writer, uint32_t position)
{
    uint32_t high = position >> 6;
    PutBits(writer, (uint32_t(positionCodes.code[high]) << 6) | (position & 63), positionCodes.length[high] + 6u);
}

uint32_t HashAt(const unsigned char* p)
{
    return ((uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]) * 2654435761u) >> (32 - HashBits);
}

MatchTable FindMatches(const unsigned char* data, uint32_t size)
{
    std::vector<unsigned char> text(SpacePrefix + size_t(size));
    memset(text.data(), ' ', SpacePrefix);
    if (size != 0)
        memcpy(text.data() + SpacePrefix, data, size);
    const uint32_t total = uint32_t(text.size());

    std::vector<int32_t> head(size_t(1) << HashBits, -1);
    std::vector<int32_t> previous(total, -1);
    MatchTable table;
    table.first.reserve(size_t(size) + 1);
    table.matches.reserve(size_t(size) * 2);

    for (uint32_t here = 0; here < total; here++) {
        const bool hashable = here + MinMatch <= total;
        const uint32_t hash = hashable ? HashAt(&text[here]) : 0;
        if (here >= SpacePrefix) {
            table.first.push_back(uint32_t(table.matches.size()));
            uint32_t limit = total - here < MaxMatch ? total - here : MaxMatch;
            uint32_t best = MinMatch - 1;
            int32_t candidate = hashable ? head[hash] : -1;
            for (uint32_t steps = 0; candidate >= 0 && steps < MaxChain && best < limit; steps++) {
                uint32_t distance = here - uint32_t(candidate);
                if (distance > WindowSize)
                    break;
                const unsigned char* a = &text[uint32_t(candidate)];
                const unsigned char* b = &text[here];
                if (a[best] == b[best]) {
                    uint32_t length = 0;
                    while (length < limit && a[length] == b[length])
                        length++;
                    if (length > best) {
                        best = length;
                        table.matches.push_back(Match{uint16_t(length), uint16_t(distance)});
                    }
                }
                candidate = previous[uint32_t(candidate)];
            }
        }
        if (hashable) {
            previous[here] = head[hash];
            head[hash] = int32_t(here);
        }
    }
    table.first.push_back(uint32_t(table.matches.size()));
    return table;
}

struct Step {
    uint16_t length;    // 1 for a literal
    uint16_t distance;  // 0 for a literal
};

void EmitStep(CoderTree& tree, BitWriter& writer, const unsigned char* data, uint32_t at, Step step)
{
    if (step.length == 1) {
        EncodeSymbol(tree, writer, data[at]);
    } else {
        EncodeSymbol(tree, writer, 256 + step.length - MinMatch);
        EncodePosition(writer, step.distance - 1u);
    }
}

void ParseGreedy(const MatchTable& table, CoderTree& tree, BitWriter& writer, const unsigned char* data, uint32_t size)
{
    for (uint32_t at = 0; at < size;) {
        Step step = {1, 0};
        if (table.first[at + 1] != table.first[at]) {
            const Match& longest = table.matches[table.first[at + 1] - 1];
            step = Step{longest.length, longest.distance};
        }
        EmitStep(tree, writer, data, at, step);
        at += step.length;
    }
}

void ParseOptimal(const MatchTable& table, CoderTree& tree, BitWriter& writer, const unsigned char* data, uint32_t size)
{
    const uint32_t span = ParseBlock + ParseLookahead;
    std::vector<uint32_t> cost(span + 1);
    std::vector<Step> arrival(span + 1);
    std::vector<Step> path;
    uint32_t prices[SymbolCount];

    for (uint32_t start = 0; start < size;) {
        PriceSymbols(tree, prices);
        const uint32_t end = size - start < span ? size - start : span;
        cost[0] = 0;
        for (uint32_t i = 1; i <= end; i++)
            cost[i] = UINT32_MAX;
        for (uint32_t i = 0; i < end; i++) {
            const uint32_t at = start + i;
            const uint32_t here = cost[i];
            uint32_t literal = here + prices[data[at]];
            if (literal < cost[i + 1]) {
                cost[i + 1] = literal;
                arrival[i + 1] = Step{1, 0};
            }
            uint32_t length = MinMatch;
            for (uint32_t m = table.first[at]; m < table.first[at + 1]; m++) {
                const Match match = table.matches[m];
                const uint32_t reach = match.length < end - i ? match.length : end - i;
                const uint32_t base = here + PriceScale * PositionBits(match.distance);
                for (; length <= reach; length++) {
                    uint32_t c = base + prices[256 + length - MinMatch];
                    if (c < cost[i + length]) {
                        cost[i + length] = c;
                        arrival[i + length] = Step{uint16_t(length), match.distance};
                    }
                }
            }
        }
        path.clear();
        for (uint32_t i = end; i > 0; i -= arrival[i].length)
            path.push_back(arrival[i]);
        // Commit the path up to the block's end; what lies beyond is parsed again with fresher prices.
        const uint32_t commit = end == size - start ? end : ParseBlock;
        uint32_t done = 0;
        while (done < commit) {
            Step step = path.back();
            path.pop_back();
            EmitStep(tree, writer, data, start + done, step);
            done += step.length;
        }
        start += done;
    }
}

}  // namespace

std::vector<unsigned char> EncodeLzhuf(const unsigned char* data, uint32_t size, LzhufParse parse)
{
    std::vector<unsigned char> packed;
    if (size == 0)
        return packed;
    packed.reserve(size_t(size) / 2 + 64);
    MatchTable table = FindMatches(data, size);
    CoderTree tree;
    InitCoderTree(tree);
    BitWriter writer = {&packed, 0, 0};
    if (parse == LzhufParseGreedy)
        ParseGreedy(table, tree, writer, data, size);
    else
        ParseOptimal(table, tree, writer, data, size);
    FinishBits(writer);
    return packed;
}
