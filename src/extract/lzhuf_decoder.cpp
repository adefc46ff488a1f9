// LZHUF decoder: adaptive-Huffman LZSS over a 4096-byte window, written out through a 1024-byte buffer.
#include "extract/lzhuf_decoder.h"

#include <stddef.h>
#include <string.h>

const unsigned char positionHigh[256] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2,
    3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3,
    4, 4, 4, 4, 4, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5, 5,
    6, 6, 6, 6, 6, 6, 6, 6, 7, 7, 7, 7, 7, 7, 7, 7,
    8, 8, 8, 8, 8, 8, 8, 8, 9, 9, 9, 9, 9, 9, 9, 9,
    10, 10, 10, 10, 10, 10, 10, 10, 11, 11, 11, 11, 11, 11, 11, 11,
    12, 12, 12, 12, 13, 13, 13, 13, 14, 14, 14, 14, 15, 15, 15, 15,
    16, 16, 16, 16, 17, 17, 17, 17, 18, 18, 18, 18, 19, 19, 19, 19,
    20, 20, 20, 20, 21, 21, 21, 21, 22, 22, 22, 22, 23, 23, 23, 23,
    24, 24, 25, 25, 26, 26, 27, 27, 28, 28, 29, 29, 30, 30, 31, 31,
    32, 32, 33, 33, 34, 34, 35, 35, 36, 36, 37, 37, 38, 38, 39, 39,
    40, 40, 41, 41, 42, 42, 43, 43, 44, 44, 45, 45, 46, 46, 47, 47,
    48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63,
};

const unsigned char positionLength[256] = {
    3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3,
    3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3,
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,
    5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5,
    5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5,
    5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5,
    5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5,
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6,
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6,
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6,
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,
    8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8,
};

// The one decoder state of the run: about 10 KB, kept off the user-interface thread's stack.
static LzhufDecoder decoder;

bool WriteOutput(const Destination& destination, const unsigned char* bytes, uint32_t count)
{
    return destination.write(destination.context, bytes, count);
}

void StartTree(LzhufDecoder& d)
{
    for (unsigned s = 0; s < LzhufSymbolCount; s++) {
        d.frequency[s] = 1;
        d.child[s] = int16_t(LzhufNodeCount + s);
        d.parent[LzhufNodeCount + s] = int16_t(s);
    }
    unsigned i = 0;
    for (unsigned n = LzhufSymbolCount; n < LzhufNodeCount; n++) {
        d.frequency[n] = uint16_t(d.frequency[i] + d.frequency[i + 1]);
        d.child[n] = int16_t(i);
        d.parent[i] = d.parent[i + 1] = int16_t(n);
        i += 2;
    }
    d.frequency[LzhufNodeCount] = 0xFFFF;
    d.parent[LzhufRoot] = 0;
}

// Runs once per 32455 symbols: kept out of line so that it does not crowd the decoding loop.
__attribute__((noinline)) void RebuildTree(LzhufDecoder& d)
{
    uint16_t* frequency = d.frequency;
    int16_t* child = d.child;
    int16_t* parent = d.parent;

    unsigned j = 0;
    for (unsigned i = 0; i < LzhufNodeCount; i++) {
        if (unsigned(child[i]) >= LzhufNodeCount) {
            frequency[j] = uint16_t((frequency[i] + 1) / 2);
            child[j] = child[i];
            j++;
        }
    }

    unsigned i = 0;
    for (unsigned n = LzhufSymbolCount; n < LzhufNodeCount; n++) {
        uint16_t f = uint16_t(frequency[i] + frequency[i + 1]);
        // Stops at i + 1 at the latest, whose weight is at most f: the new node goes after equal weights.
        unsigned k = n - 1;
        while (f < frequency[k])
            k--;
        k++;
        memmove(&frequency[k + 1], &frequency[k], (n - k) * sizeof frequency[0]);
        memmove(&child[k + 1], &child[k], (n - k) * sizeof child[0]);
        frequency[k] = f;
        child[k] = int16_t(i);
        i += 2;
    }

    for (unsigned n = 0; n < LzhufNodeCount; n++) {
        unsigned k = unsigned(child[n]);
        parent[k] = int16_t(n);
        if (k < LzhufNodeCount)
            parent[k + 1] = int16_t(n);
    }
}

// The exchange step of UpdateTree: node n's weight is about to pass its right neighbour's. Gives n the
// weight k, swaps n's subtree with that of l, the highest node still lighter than k, and returns l.
// Kept out of line (about one symbol in two needs it, at one level) so that the common step of the walk
// stays small.
__attribute__((noinline)) static size_t ExchangeUp(LzhufDecoder& d, size_t n, uint16_t k)
{
    uint16_t* frequency = d.frequency;
    int16_t* child = d.child;
    int16_t* parent = d.parent;

    // The sentinel 0xFFFF at 627 ends the scan: no weight gets past 0x8000.
    size_t l = n + 1;
    while (k > frequency[l + 1])
        l++;
    frequency[n] = frequency[l];
    frequency[l] = k;

    size_t i = size_t(child[n]);
    parent[i] = int16_t(l);
    if (i < LzhufNodeCount)
        parent[i + 1] = int16_t(l);
    size_t j = size_t(child[l]);
    child[l] = int16_t(i);
    parent[j] = int16_t(n);
    if (j < LzhufNodeCount)
        parent[j + 1] = int16_t(n);
    child[n] = int16_t(j);
    return l;
}

void UpdateTree(LzhufDecoder& d, unsigned symbol)
{
    if (d.frequency[LzhufRoot] == LzhufRebuildWeight)
        RebuildTree(d);

    size_t n = size_t(d.parent[LzhufNodeCount + symbol]);
    do {
        uint16_t k = uint16_t(d.frequency[n] + 1);
        if (__builtin_expect(k > d.frequency[n + 1], 0))
            n = ExchangeUp(d, n, k);
        else
            d.frequency[n] = k;
        n = size_t(d.parent[n]);
    } while (n != 0);
}

// The scalar fields of the decoder, held in locals while a stream is decoded. Every byte stored into
// window or outBuffer may alias any field in memory (a char store aliases everything), so working on the
// fields in place makes the compiler reload and store each of them once per byte and once per bit.
struct Registers {
    uint64_t bitBuffer;
    const unsigned char* input;
    uint32_t inputLeft;
    uint32_t outputLeft;
    uint32_t outCount;
    uint32_t writePos;
};

// Every symbol and every position starts with at least this many unread bits, or with an exhausted
// input whose zeros fill the buffer. A symbol takes at most 21 bits: the tree keeps the sibling property,
// so it is a Huffman tree, and a leaf at depth 22 would need a root weight of at least 46368 where the
// rebuild keeps it at or below 0x8000. A position takes at most 14.
constexpr unsigned LeastUnreadBits = 32;

static inline bool NextInputByte(Registers& r, unsigned& byte)
{
    if (r.inputLeft == 0)
        return false;
    r.inputLeft--;
    byte = *r.input++;
    return true;
}

static inline void Refill(Registers& r)
{
    // Without a marker the zeros below the unread bits are exactly what an exhausted input reads as.
    if (r.inputLeft == 0)
        return;
    // An empty buffer could only mean a walk past the marker, against the depth bound above; it then
    // reads on as zeros rather than counting the undefined trailing zeros of 0.
    unsigned count = 63u - unsigned(__builtin_ctzll(r.bitBuffer | (r.bitBuffer == 0)));
    if (count >= LeastUnreadBits)
        return;
    r.bitBuffer &= r.bitBuffer - 1;  // the marker
    if (r.inputLeft >= 8) {
        // Eight bytes in one load, of which the whole ones that fit are taken; all lie within the input.
        uint64_t next;
        memcpy(&next, r.input, 8);
        next = __builtin_bswap64(next);
        unsigned taken = (63 - count) >> 3;
        unsigned filled = count + 8 * taken;
        r.bitBuffer |= (next >> count) & (~uint64_t(0) << (64 - filled));
        r.input += taken;
        r.inputLeft -= taken;
        count = filled;
    } else {
        unsigned byte;
        while (count <= 55 && NextInputByte(r, byte)) {
            r.bitBuffer |= uint64_t(byte) << (56 - count);
            count += 8;
        }
        if (r.inputLeft == 0)
            return;
    }
    r.bitBuffer |= uint64_t(1) << (63 - count);
}

static inline unsigned ReadBit(Registers& r)
{
    unsigned bit = unsigned(r.bitBuffer >> 63);
    r.bitBuffer <<= 1;
    return bit;
}

static inline unsigned ReadByte(Registers& r)
{
    unsigned byte = unsigned(r.bitBuffer >> 56);
    r.bitBuffer <<= 8;
    return byte;
}

static inline unsigned DecodeSymbol(LzhufDecoder& d, Registers& r)
{
    const int16_t* child = d.child;
    Refill(r);
    size_t n = size_t(child[LzhufRoot]);
    do
        n = size_t(child[n + ReadBit(r)]);
    while (n < LzhufNodeCount);
    unsigned symbol = unsigned(n - LzhufNodeCount);
    UpdateTree(d, symbol);
    return symbol;
}

static inline unsigned DecodePosition(Registers& r)
{
    Refill(r);
    unsigned i = ReadByte(r);
    unsigned high = positionHigh[i];
    for (unsigned extra = positionLength[i] - 2u; extra != 0; extra--)
        i = 2 * i + ReadBit(r);
    return high * 64 + (i & 63);
}

static inline bool PutByte(LzhufDecoder& d, Registers& r, unsigned char byte)
{
    d.outBuffer[r.outCount] = byte;
    r.outCount++;
    r.outputLeft--;
    if (__builtin_expect(r.outCount == LzhufOutBufferSize, 0)) {
        r.outCount = 0;
        return WriteOutput(d.destination, d.outBuffer, LzhufOutBufferSize);
    }
    return true;
}

static bool DecodeBody(LzhufDecoder& d, Registers& r)
{
    memset(d.window, ' ', LzhufStartPos);
    r.writePos = LzhufStartPos;
    unsigned char* window = d.window;
    do {
        unsigned symbol = DecodeSymbol(d, r);
        if (symbol < 256) {
            window[r.writePos] = (unsigned char)symbol;
            r.writePos = (r.writePos + 1) & LzhufWindowMask;
            if (!PutByte(d, r, (unsigned char)symbol))
                return false;
            continue;
        }
        uint32_t from = (r.writePos - DecodePosition(r) - 1) & LzhufWindowMask;
        uint32_t length = symbol - 253;
        // A corrupt stream may end on a match that runs past size: cut it there instead of
        // wrapping outputLeft and writing on for four billion bytes.
        if (length > r.outputLeft)
            length = r.outputLeft;
        // The copy goes byte by byte, as PutByte would, in runs that end at the buffer's end: a
        // source that overlaps the bytes being written must repeat them.
        while (length != 0) {
            uint32_t run = LzhufOutBufferSize - r.outCount;
            if (run > length)
                run = length;
            unsigned char* out = d.outBuffer + r.outCount;
            uint32_t to = r.writePos;
            if (from + run <= LzhufWindowSize && to + run <= LzhufWindowSize) {
                for (uint32_t k = 0; k < run; k++) {
                    unsigned char byte = window[from + k];
                    window[to + k] = byte;
                    out[k] = byte;
                }
            } else {
                for (uint32_t k = 0; k < run; k++) {
                    unsigned char byte = window[(from + k) & LzhufWindowMask];
                    window[(to + k) & LzhufWindowMask] = byte;
                    out[k] = byte;
                }
            }
            from = (from + run) & LzhufWindowMask;
            r.writePos = (to + run) & LzhufWindowMask;
            length -= run;
            r.outputLeft -= run;
            r.outCount += run;
            if (r.outCount == LzhufOutBufferSize) {
                r.outCount = 0;
                if (!WriteOutput(d.destination, d.outBuffer, LzhufOutBufferSize))
                    return false;
            }
        }
    } while (r.outputLeft != 0);
    return true;
}

static bool FlushOutput(LzhufDecoder& d, Registers& r)
{
    if (r.outCount == 0)
        return true;
    uint32_t count = r.outCount;
    r.outCount = 0;
    return WriteOutput(d.destination, d.outBuffer, count);
}

static void StoreRegisters(LzhufDecoder& d, const Registers& r)
{
    d.bitBuffer = r.bitBuffer;
    d.input = r.input;
    d.inputLeft = r.inputLeft;
    d.outputLeft = r.outputLeft;
    d.outCount = uint16_t(r.outCount);
    d.writePos = uint16_t(r.writePos);
}

// flatten: the steps above are separate for reading and for tests, but must run as one loop;
// a call per symbol would cost more than the symbol's walk up the tree.
__attribute__((flatten)) bool DecodeStream(const unsigned char* packed, uint32_t packedSize, uint32_t size,
                                           const Destination& destination)
{
    // Decoding a first symbol before testing the count would wrap outputLeft for an empty file.
    if (size == 0)
        return true;
    LzhufDecoder& d = decoder;
    d.destination = destination;
    // The marker alone: no unread bits yet, and none at all when there is no input.
    Registers r = {packedSize != 0 ? uint64_t(1) << 63 : 0, packed, packedSize, size, 0, 0};
    StartTree(d);
    bool ok = DecodeBody(d, r) && FlushOutput(d, r);
    StoreRegisters(d, r);
    return ok;
}
