// LZHUF decoder: streams whose bits are worked out here, output batching and failures, and the tree steps.
#include "extract/lzhuf_decoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Records every write; past `room` bytes it stores only what fits and reports failure, like a full disk.
struct MemorySink {
    std::vector<unsigned char> bytes;
    std::vector<uint32_t> writes;
    uint32_t room = UINT32_MAX;
};

bool WriteToSink(void* context, const unsigned char* bytes, uint32_t count)
{
    MemorySink* sink = static_cast<MemorySink*>(context);
    sink->writes.push_back(count);
    uint32_t taken = count < sink->room ? count : sink->room;
    sink->bytes.insert(sink->bytes.end(), bytes, bytes + taken);
    sink->room -= taken;
    return taken == count;
}

bool Decode(const std::vector<unsigned char>& packed, uint32_t size, MemorySink& sink)
{
    Destination destination = {WriteToSink, &sink};
    return DecodeStream(packed.empty() ? nullptr : packed.data(), uint32_t(packed.size()), size, destination);
}

// Packs '0'/'1' characters into bytes, first bit in the top of the first byte, the rest zero-padded.
std::vector<unsigned char> PackBits(const std::string& bits)
{
    std::vector<unsigned char> bytes((bits.size() + 7) / 8, 0);
    for (size_t i = 0; i < bits.size(); i++) {
        if (bits[i] == '1')
            bytes[i / 8] |= (unsigned char)(0x80 >> (i % 8));
    }
    return bytes;
}

// The code of a symbol in the starting tree, where node 314 + k joins nodes 2k (bit 0) and 2k + 1 (bit 1)
// and leaf s starts at node s: halve the node up to the root 626 and read the bits back from the top.
std::string StartCode(unsigned symbol)
{
    std::string code;
    for (unsigned node = symbol; node != 626; node = 314 + node / 2)
        code.insert(code.begin(), char('0' + node % 2));
    return code;
}

struct HandStream {
    const char* what;
    std::string bits;
    uint32_t size;
    std::string expected;
};

TEST(LzhufDecoderStreams, DecodeStreamsBuiltByHand)
{
    // Position codes: the upper 6 bits 0 take "000", 1 takes "0010" (the 16 entries after the 32 of 0),
    // then the lower 6 bits as they are.
    const HandStream cases[] = {
        // Leaf 'A' keeps its start code: the update after the match only swapped leaves 256 and 313.
        {"a first match copies the window's initial spaces",
         StartCode(256) + "0010" + "100100" /* position 100 */ + StartCode('A'), 4, "   A"},
        // The literal's update swapped leaves 'x' and 313; leaf 258 (a match of 5) keeps its start code.
        {"a match at position 0 repeats the last byte",
         StartCode('x') + StartCode(258) + "000" + "000000", 6, "xxxxxx"},
        {"a last match that runs past size is cut at size",
         StartCode('x') + StartCode(258) + "000" + "000000", 3, "xxx"},
        // All-zero bits take the leftmost path: leaf 116 ('t'), whose update swaps it with leaf 313, so
        // the same path then reads a match of 60 at position 0 (nine more zero bits): 't' 61 times.
        {"an empty input reads as zero bits", "", 61, std::string(61, 't')},
    };
    for (const HandStream& c : cases) {
        SCOPED_TRACE(c.what);
        MemorySink sink;
        sink.room = c.size;  // a decoder writing on past size fails here instead of running away
        EXPECT_TRUE(Decode(PackBits(c.bits), c.size, sink));
        EXPECT_EQ(std::string(sink.bytes.begin(), sink.bytes.end()), c.expected);
        EXPECT_EQ(sink.writes, std::vector<uint32_t>{c.size});
    }
}

TEST(LzhufDecoderStreams, InputEndsAtPackedSizeAndReadsOnAsZeros)
{
    // The 0xFF after the first byte would turn the second symbol into another one if it were read.
    std::vector<unsigned char> packed = {0x00, 0xFF, 0xFF};
    MemorySink sink;
    Destination destination = {WriteToSink, &sink};
    EXPECT_TRUE(DecodeStream(packed.data(), 1, 61, destination));
    EXPECT_EQ(std::string(sink.bytes.begin(), sink.bytes.end()), std::string(61, 't'));
}

// Writes symbols the way an encoder does, with a tree of its own that follows the same updates: the
// code of a symbol is the path from the root to its leaf.
struct SymbolWriter {
    std::unique_ptr<LzhufDecoder> tree{new LzhufDecoder()};
    std::string bits;

    SymbolWriter() { StartTree(*tree); }

    void Symbol(unsigned symbol)
    {
        std::string code;
        for (int node = tree->parent[627 + symbol]; node != 626;) {
            int up = tree->parent[node];
            code.insert(code.begin(), char('0' + (node - tree->child[up])));
            node = up;
        }
        bits += code;
        UpdateTree(*tree, symbol);
    }

    // A match of length bytes starting distance bytes back: the length symbol, then the prefix code of
    // the position's upper 6 bits, as the first table entry of that value starts, and its lower 6 bits.
    void Match(unsigned distance, unsigned length)
    {
        Symbol(253 + length);
        unsigned position = distance - 1;
        unsigned entry = 0;
        while (positionHigh[entry] != position >> 6)
            entry++;
        for (unsigned bit = 0; bit < positionLength[entry]; bit++)
            bits += char('0' + ((entry >> (7 - bit)) & 1));
        for (int bit = 5; bit >= 0; bit--)
            bits += char('0' + ((position >> bit) & 1));
    }
};

TEST(LzhufDecoderStreams, MatchesCopyAsByteByByteCopiesWould)
{
    // Byte by byte, an overlapping source repeats the bytes being written, a source past the window's
    // end wraps, and one 4096 back is the byte itself. Lengths and distances around the sizes in which
    // a decoder may copy, after 4100 literals that leave no byte of the window unwritten.
    struct Copy {
        unsigned distance, length;
    };
    const Copy copies[] = {{1, 60}, {2, 9}, {3, 3}, {3, 10}, {4, 4}, {5, 7}, {7, 20}, {8, 8}, {9, 60}, {16, 33},
                           {100, 3}, {4000, 60}, {4089, 60}, {4092, 9}, {4095, 60}, {4096, 60}};
    SymbolWriter writer;
    std::string expected(4036, ' ');
    uint32_t seed = 99;
    for (int k = 0; k < 4100; k++) {
        seed = seed * 1103515245u + 12345u;
        unsigned char byte = (unsigned char)(seed >> 24);
        writer.Symbol(byte);
        expected += char(byte);
    }
    // Three rounds, so that the copies start at different places in the window.
    for (int round = 0; round < 3; round++) {
        for (const Copy& copy : copies) {
            writer.Match(copy.distance, copy.length);
            for (unsigned k = 0; k < copy.length; k++)
                expected += expected[expected.size() - copy.distance];
        }
        writer.Symbol('x');
        expected += 'x';
    }
    expected.erase(0, 4036);

    MemorySink sink;
    EXPECT_TRUE(Decode(PackBits(writer.bits), uint32_t(expected.size()), sink));
    EXPECT_TRUE(std::string(sink.bytes.begin(), sink.bytes.end()) == expected);
}

TEST(LzhufDecoderOutput, WritesFullBuffersThenTheRest)
{
    struct Case {
        uint32_t size;
        std::vector<uint32_t> writes;
    };
    const Case cases[] = {
        {1987, {1024, 963}},
        {380928, std::vector<uint32_t>(372, 1024)},  // a multiple of 1024: no empty write at the end
        {1, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        MemorySink sink;
        EXPECT_TRUE(Decode({}, c.size, sink));
        EXPECT_EQ(sink.writes, c.writes);
        EXPECT_EQ(sink.bytes.size(), c.size);
    }
}

TEST(LzhufDecoderOutput, SizeZeroWritesNothing)
{
    MemorySink sink;
    sink.room = 0;
    EXPECT_TRUE(Decode({0x12, 0x34, 0x56}, 0, sink));
    EXPECT_TRUE(sink.writes.empty());
}

TEST(LzhufDecoderOutput, FailedOrShortWriteStopsDecoding)
{
    struct Case {
        const char* what;
        uint32_t room;
        std::vector<uint32_t> writes;
    };
    const Case cases[] = {
        {"the first write fails", 0, {1024}},
        {"the second write is short", 1500, {1024, 1024}},
        {"the last, partial write is short", 4100, {1024, 1024, 1024, 1024, 904}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemorySink sink;
        sink.room = c.room;
        EXPECT_FALSE(Decode({}, 5000, sink));
        EXPECT_EQ(sink.writes, c.writes);
    }
}

TEST(LzhufDecoderOutput, GarbageStreamsEndAtExactlySize)
{
    uint32_t seed = 12345;
    for (uint32_t size : {1u, 59u, 4097u, 70000u}) {
        std::vector<unsigned char> garbage(257);
        for (unsigned char& byte : garbage) {
            seed = seed * 1103515245u + 12345u;
            byte = (unsigned char)(seed >> 24);
        }
        SCOPED_TRACE(size);
        MemorySink sink;
        EXPECT_TRUE(Decode(garbage, size, sink));
        EXPECT_EQ(sink.bytes.size(), size);
    }
}

TEST(LzhufDecoderTables, PositionTablesFollowTheCodeLengths)
{
    struct Row {
        unsigned firstHigh, lastHigh, length;
    };
    const Row rows[] = {{0, 0, 3}, {1, 3, 4}, {4, 11, 5}, {12, 23, 6}, {24, 47, 7}, {48, 63, 8}};
    unsigned entry = 0;
    for (const Row& row : rows) {
        for (unsigned high = row.firstHigh; high <= row.lastHigh; high++) {
            for (unsigned k = 0; k < (1u << (8 - row.length)); k++, entry++) {
                ASSERT_EQ(positionHigh[entry], high) << "entry " << entry;
                ASSERT_EQ(positionLength[entry], row.length) << "entry " << entry;
            }
        }
    }
    EXPECT_EQ(entry, 256u);
}

// The tree steps on the starting tree: leaves 0-313 of weight 1 at nodes 0-313, node 314 + k of weight
// 2 for k < 157 joining leaves 2k and 2k + 1, node 470 joining leaves 312 and 313, node 471 (weight 4)
// joining nodes 314 and 315, root 626 of weight 314.
class LzhufTree : public testing::Test {
protected:
    void SetUp() override
    {
        tree.reset(new LzhufDecoder());
        StartTree(*tree);
    }

    std::unique_ptr<LzhufDecoder> tree;
};

TEST_F(LzhufTree, UpdateExchangesWithTheLastLighterNode)
{
    LzhufDecoder& d = *tree;
    // Leaf 0 reaches weight 2, passing node 1; the last node of weight 1 is leaf 313, so the two swap.
    // Their parent 470 then reaches 3, which does not pass node 471's 4.
    UpdateTree(d, 0);
    EXPECT_EQ(d.child[313], 627 + 0);
    EXPECT_EQ(d.frequency[313], 2);
    EXPECT_EQ(d.child[0], 627 + 313);
    EXPECT_EQ(d.frequency[0], 1);
    EXPECT_EQ(d.parent[627 + 0], 313);
    EXPECT_EQ(d.parent[627 + 313], 0);
    EXPECT_EQ(d.frequency[470], 3);
    EXPECT_EQ(d.child[470], 312);
    EXPECT_EQ(d.frequency[626], 315);
}

TEST_F(LzhufTree, UpdateKeepsANodeThatOnlyEqualsItsNeighbour)
{
    LzhufDecoder& d = *tree;
    // Leaf 313 reaches weight 2, equal to node 314's: no exchange.
    UpdateTree(d, 313);
    EXPECT_EQ(d.child[313], 627 + 313);
    EXPECT_EQ(d.frequency[313], 2);
    EXPECT_EQ(d.child[314], 0);
    EXPECT_EQ(d.frequency[314], 2);
    EXPECT_EQ(d.frequency[626], 315);
}

TEST_F(LzhufTree, RebuildGathersLeavesHalvesUpwardAndPlacesInnerNodesAfterEqualWeights)
{
    LzhufDecoder& d = *tree;
    // Twice leaf 313: the second time its weight 3 passes the weight-2 nodes 314-469 and it swaps
    // with node 469, so a leaf now sits among the inner nodes.
    UpdateTree(d, 313);
    UpdateTree(d, 313);
    ASSERT_EQ(d.child[469], 627 + 313);
    ASSERT_EQ(d.frequency[469], 3);
    // Every parent entry must come from the rebuild itself.
    for (int16_t& entry : d.parent)
        entry = 0;

    RebuildTree(d);

    // Leaves 0-312 halve to 1, leaf 313's 3 halves upward to 2 and comes back down to node 313.
    EXPECT_EQ(d.frequency[312], 1);
    EXPECT_EQ(d.child[313], 627 + 313);
    EXPECT_EQ(d.frequency[313], 2);
    // Node 314 (leaves 0 and 1, weight 2) goes after leaf 313 of equal weight, not before it.
    EXPECT_EQ(d.child[314], 0);
    EXPECT_EQ(d.frequency[314], 2);
    // Leaves 312 and 313 join as node 470 of weight 3; the root carries the sum of the leaves.
    EXPECT_EQ(d.child[470], 312);
    EXPECT_EQ(d.frequency[470], 3);
    EXPECT_EQ(d.frequency[626], 315);
    EXPECT_EQ(d.parent[627 + 313], 313);
    EXPECT_EQ(d.parent[313], 470);
    EXPECT_EQ(d.parent[0], 314);
    for (int n = 0; n < 627; n++) {
        int c = d.child[n];
        ASSERT_EQ(d.parent[c], n) << "node " << n;
        if (c < 627) {
            ASSERT_EQ(d.parent[c + 1], n) << "node " << n;
        }
    }
    EXPECT_EQ(d.parent[626], 0);
}

TEST_F(LzhufTree, FirstRebuildComesWithSymbol32455)
{
    LzhufDecoder& d = *tree;
    for (int k = 0; k < 32454; k++)
        UpdateTree(d, 'A');
    ASSERT_EQ(d.frequency[626], 0x8000);
    // The rebuild runs before symbol 32455 counts: 'A' (32455) halves to 16228, the other 313 leaves
    // stay at 1, and the symbol then adds 1.
    UpdateTree(d, 'A');
    EXPECT_EQ(d.frequency[626], 16228 + 313 + 1);
}

}  // namespace
