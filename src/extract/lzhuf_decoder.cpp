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
        // The new node goes after every node of weight up to f, equal weights included. Nodes 0 to n - 1
        // are in weight order and node i + 1 weighs at most f, so halving the range above it finds the
        // place that stepping down from n - 1 would, in a tenth of the steps.
        unsigned k = i + 2;
        unsigned end = n;
        while (k < end) {
            unsigned middle = (k + end) / 2;
            if (f < frequency[middle])
                end = middle;
            else
                k = middle + 1;
        }
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

// The exchange step of UpdateTree: node n's weight k is about to pass its right neighbour's. Finds l,
// the highest node still lighter than k, gives l the weight k, swaps the subtrees of n and l, and
// returns l.
static inline size_t ExchangeUp(LzhufDecoder& d, size_t n, uint16_t k)
{
    // The weights are in order and node n + 1 is lighter than k: it weighs k - 1, like n, and so do
    // the nodes up to l. The sentinel 0xFFFF at 627 ends the scan: no weight gets past 0x8000.
    const uint16_t* start = &d.frequency[n + 1];
    const uint16_t* weight = start;
    while (k > weight[1])
        weight++;
    size_t l = n + 1 + size_t(weight - start);
    // frequency[n] = frequency[l] would store the k - 1 that n holds already.
    d.frequency[l] = k;

    size_t i = size_t(d.child[n]);
    size_t j = size_t(d.child[l]);
    d.child[n] = int16_t(j);
    d.child[l] = int16_t(i);
    d.parent[i] = int16_t(l);
    if (i < LzhufNodeCount)
        d.parent[i + 1] = int16_t(l);
    d.parent[j] = int16_t(n);
    if (j < LzhufNodeCount)
        d.parent[j + 1] = int16_t(n);
    return l;
}

void UpdateTree(LzhufDecoder& d, unsigned symbol)
{
    if (d.frequency[LzhufRoot] == LzhufRebuildWeight)
        RebuildTree(d);

    // Every walk up ends with the root, whose weight never passes the sentinel's: it needs no test, and
    // its parent entry 0 no load, so it is counted after the loop.
    size_t n = size_t(d.parent[LzhufNodeCount + symbol]);
    do {
        uint16_t k = uint16_t(d.frequency[n] + 1);
        if (__builtin_expect(k > d.frequency[n + 1], 0))
            n = ExchangeUp(d, n, k);
        else
            d.frequency[n] = k;
        n = size_t(d.parent[n]);
    } while (n != LzhufRoot);
    d.frequency[LzhufRoot]++;
}

// The fields of the decoder that change with every bit or byte, held in locals while a stream is
// decoded and stored back into the record at its end. Every byte stored into window or outBuffer may
// alias any field in memory (a char store aliases everything), so working on the fields in place makes
// the compiler reload and store them once per byte and once per bit.
struct Registers {
    // bitBuffer in the upper half, so that bits shifted out drop off the top as they do from a 16-bit
    // buffer; and bitCount as a marker, the one 1 bit right below the bitCount unread bits. Shifting the
    // bits out moves the marker along, so reading a bit needs no count of its own.
    uint32_t bits;
    const unsigned char* input;
    const unsigned char* inputEnd;  // input + inputLeft
    // The bytes decoded so far. Every decoded byte advances outCount, writePos and outputLeft by one,
    // and 1024 divides 4096, so all three follow from this one count and the stream's size.
    uint32_t produced;
    uint32_t size;
};

static inline uint32_t OutCount(const Registers& r)
{
    return r.produced & (LzhufOutBufferSize - 1);
}

static inline uint32_t WritePos(const Registers& r)
{
    return (LzhufStartPos + r.produced) & LzhufWindowMask;
}

static inline uint32_t OutputLeft(const Registers& r)
{
    return r.size - r.produced;
}

constexpr uint32_t NoBitsLeft = 0x80000000;  // bits with bitCount 0

static inline unsigned BitCount(uint32_t bits)
{
    return 31 - unsigned(__builtin_ctz(bits));
}

static inline uint16_t BitBuffer(uint32_t bits)
{
    return uint16_t((bits & (bits - 1)) >> 16);
}

// An exhausted input yields 0, which the refill ORs in as eight zero bits.
static inline unsigned NextInputByte(Registers& r)
{
    if (r.input == r.inputEnd)
        return 0;
    return *r.input++;
}

static inline void Refill(Registers& r)
{
    // bitCount <= 8: the marker is at bit 23 or above, and nothing is below it.
    while ((r.bits & 0x007FFFFF) == 0) {
        uint32_t marker = r.bits & (0u - r.bits);
        // The byte goes right below the unread bits, where the marker is, and the marker 8 bits lower.
        r.bits = (r.bits ^ marker) | NextInputByte(r) * (marker >> 7) | marker >> 8;
    }
}

static inline unsigned ReadByte(Registers& r)
{
    Refill(r);
    unsigned byte = r.bits >> 24;
    r.bits <<= 8;
    return byte;
}

// One step down the tree in DecodeSymbol: ReadBit without its refill. The bit comes out as the carry
// of the shift, which the compiler adds in with the same instruction.
#define LZHUF_WALK_STEP                                                   \
    n = size_t(d.child[n + __builtin_add_overflow(bits, bits, &bits)]); \
    if (n >= LzhufNodeCount)                                              \
        goto leaf;

static inline unsigned DecodeSymbol(LzhufDecoder& d, Registers& r)
{
    uint32_t bits = r.bits;
    size_t n = size_t(d.child[LzhufRoot]);
    // ReadBit refills whenever only 8 bits are left, and then with exactly one byte. So the walk takes
    // bitCount - 8 bits, then 8 bits after each refill: it enters the unrolled steps at the number of
    // bits it may take, and tests for the refill once per byte rather than once per bit. Between
    // symbols bitCount is 8 to 15, with the marker at bit 23 to 16; 0 (bit 31) starts a stream.
    switch (__builtin_ctz(bits >> 15)) {
        default:
            // The marker is never below bit 15, so nothing else comes here.
            __builtin_unreachable();
        case 16:
            // The start of a stream: the refill takes two bytes.
            Refill(r);
            bits = r.bits;
            goto takeEight;
        case 8:
            goto refill;
        for (;;) {
        refill:
            // 8 bits are left and the marker is at bit 23: the byte goes right below them.
            bits = (bits ^ 0x00808000) | NextInputByte(r) << 16;
            [[fallthrough]];
        case 0:
        takeEight:
            LZHUF_WALK_STEP
            [[fallthrough]];
        case 1:
            LZHUF_WALK_STEP
            [[fallthrough]];
        case 2:
            LZHUF_WALK_STEP
            [[fallthrough]];
        case 3:
            LZHUF_WALK_STEP
            [[fallthrough]];
        case 4:
            LZHUF_WALK_STEP
            [[fallthrough]];
        case 5:
            LZHUF_WALK_STEP
            [[fallthrough]];
        case 6:
            LZHUF_WALK_STEP
            [[fallthrough]];
        case 7:
            LZHUF_WALK_STEP
        }
    }
leaf:
    r.bits = bits;
    unsigned symbol = unsigned(n - LzhufNodeCount);
    UpdateTree(d, symbol);
    return symbol;
}

#undef LZHUF_WALK_STEP

static inline unsigned DecodePosition(Registers& r)
{
    unsigned i = ReadByte(r);
    unsigned high = positionHigh[i];
    unsigned extra = positionLength[i] - 2u;  // 1 to 6
    // The extra bits as that many ReadBits take them, in at most two runs. ReadByte leaves 1 to 8 bits,
    // so the first ReadBit refills with one byte; the next refill, again one byte, comes once only
    // 8 bits are left, that is after as many bits as ReadByte left.
    uint32_t bits = r.bits;
    unsigned free = BitCount(bits);
    uint32_t marker = bits & (0u - bits);
    bits = (bits ^ marker) | NextInputByte(r) * (marker >> 7) | marker >> 8;
    if (extra > free) {
        i = i << free | bits >> (32 - free);
        bits <<= free;
        extra -= free;
        // 8 bits are left and the marker is at bit 23.
        bits = (bits ^ 0x00808000) | NextInputByte(r) << 16;
    }
    i = i << extra | bits >> (32 - extra);
    r.bits = bits << extra;
    return high * 64 + (i & 63);
}

// One decoded byte into the window. outBuffer gets the bytes of a full 1024 from the window at once,
// when the symbol that completes them is done (HandOutFullBuffer): 1024 divides 4096, and the window
// keeps every byte until 4096 more have come, so storing each byte once is enough.
static inline void PutByte(LzhufDecoder& d, Registers& r, unsigned char byte)
{
    d.window[WritePos(r)] = byte;
    r.produced++;
}

// Copies the last count decoded bytes from the window, where they may wrap around its end, into
// outBuffer and writes them to the destination.
static bool HandOut(LzhufDecoder& d, const Registers& r, uint32_t count)
{
    uint32_t start = (WritePos(r) - count) & LzhufWindowMask;
    uint32_t first = LzhufWindowSize - start < count ? LzhufWindowSize - start : count;
    memcpy(d.outBuffer, d.window + start, first);
    memcpy(d.outBuffer + first, d.window, count - first);
    return WriteOutput(d.destination, d.outBuffer, count);
}

// Writes the buffer of 1024 that the last symbol (at most 60 bytes) completed. The bytes past it stay
// in the window for the next buffer; when the write fails, decoding ends with that symbol and they are
// never written.
static bool HandOutFullBuffer(LzhufDecoder& d, const Registers& r)
{
    Registers atFull = r;
    atFull.produced -= OutCount(r);
    return HandOut(d, atFull, LzhufOutBufferSize);
}

// Copies length bytes, in chunks of Chunk bytes, from source to target in the window.
// Byte by byte, a source that overlaps the target repeats the bytes just written; a chunk reads only
// bytes at least `distance` >= Chunk back, which earlier chunks have written in full. The last chunk
// ends at length and may write some bytes a second time, with the same values.
template <typename Chunk>
static inline void CopyChunks(const unsigned char* source, unsigned char* target, uint32_t length)
{
    uint32_t k = 0;
    for (; k + sizeof(Chunk) < length; k += sizeof(Chunk)) {
        Chunk chunk;
        memcpy(&chunk, source + k, sizeof chunk);
        memcpy(target + k, &chunk, sizeof chunk);
    }
    k = length - uint32_t(sizeof(Chunk));
    Chunk chunk;
    memcpy(&chunk, source + k, sizeof chunk);
    memcpy(target + k, &chunk, sizeof chunk);
}

// The match of length bytes that starts position + 1 bytes back, as length PutBytes would write it.
static inline void CopyMatch(LzhufDecoder& d, Registers& r, uint32_t position, uint32_t length)
{
    unsigned char* window = d.window;
    uint32_t to = WritePos(r);
    uint32_t from = (to - position - 1) & LzhufWindowMask;
    // Most matches do not wrap around the window: those go in chunks. A source that lies ahead of the
    // target in the window must not overlap it: the last chunk would read back bytes that the match has
    // already overwritten.
    bool apart = from < to || (from >= to + length && from + length <= LzhufWindowSize);
    if (to + length <= LzhufWindowSize && apart) {
        const unsigned char* source = window + from;
        unsigned char* target = window + to;
        uint32_t distance = position + 1;
        if (distance >= 8 && length >= 8) {
            CopyChunks<uint64_t>(source, target, length);
        } else if (distance >= 4 && length >= 4) {
            CopyChunks<uint32_t>(source, target, length);
        } else if (length == 3 && distance >= 3) {
            // The shortest matches are the most common: three bytes without a loop.
            unsigned char three[3];
            memcpy(three, source, 3);
            memcpy(target, three, 3);
        } else if (distance == 1 && length >= 8) {
            // A run of one byte, as in the zero padding of executables.
            uint64_t run = uint64_t(*source) * 0x0101010101010101u;
            uint32_t k = 0;
            for (; k + 8 < length; k += 8)
                memcpy(target + k, &run, 8);
            memcpy(target + length - 8, &run, 8);
        } else {
            for (uint32_t k = 0; k < length; k++)
                target[k] = source[k];
        }
        r.produced += length;
        return;
    }
    for (uint32_t k = 0; k < length; k++)
        PutByte(d, r, window[(from + k) & LzhufWindowMask]);
}

#if __has_attribute(noclone)
#define LZHUF_BODY_ATTRIBUTES __attribute__((noinline, noclone, flatten))
#else
#define LZHUF_BODY_ATTRIBUTES __attribute__((noinline, flatten))
#endif

// noclone: the decoder comes in as a pointer, so that one register addresses all of its fields; a copy
// made for the one static state would spend a register on every table it walks.
// flatten: the steps above are separate for reading and for tests, but must run as one loop; a call per
// symbol would cost more than the symbol's walk up the tree.
LZHUF_BODY_ATTRIBUTES static bool DecodeBody(LzhufDecoder& d, Registers& registers)
{
    Registers r = registers;
    memset(d.window, ' ', LzhufStartPos);
    bool ok = true;
    do {
        unsigned symbol = DecodeSymbol(d, r);
        if (symbol < 256) {
            PutByte(d, r, (unsigned char)symbol);
            if (__builtin_expect(OutCount(r) == 0, 0) && !HandOutFullBuffer(d, r)) {
                ok = false;
                break;
            }
            continue;
        }
        uint32_t position = DecodePosition(r);
        uint32_t length = symbol - 253;
        // A corrupt stream may end on a match that runs past size: cut it there instead of
        // wrapping outputLeft and writing on for four billion bytes.
        if (length > OutputLeft(r))
            length = OutputLeft(r);
        CopyMatch(d, r, position, length);
        // The match completed a buffer when fewer than `length` bytes lie past the last multiple of 1024.
        if (__builtin_expect(OutCount(r) < length, 0) && !HandOutFullBuffer(d, r)) {
            ok = false;
            break;
        }
    } while (r.produced != r.size);
    registers = r;
    return ok;
}

static bool FlushOutput(LzhufDecoder& d, Registers& r)
{
    if (OutCount(r) == 0)
        return true;
    return HandOut(d, r, OutCount(r));
}

static void StoreRegisters(LzhufDecoder& d, const Registers& r)
{
    d.bitBuffer = BitBuffer(r.bits);
    d.bitCount = uint16_t(BitCount(r.bits));
    d.input = r.input;
    d.inputLeft = uint32_t(r.inputEnd - r.input);
    d.outputLeft = OutputLeft(r);
    // A stream ends on a write, or with nothing waiting in outBuffer.
    d.outCount = 0;
    d.writePos = uint16_t(WritePos(r));
}

bool DecodeStream(const unsigned char* packed, uint32_t packedSize, uint32_t size, const Destination& destination)
{
    // Decoding a first symbol before testing the count would wrap outputLeft for an empty file.
    if (size == 0)
        return true;
    LzhufDecoder& d = decoder;
    d.destination = destination;
    Registers r = {NoBitsLeft, packed, packed + packedSize, 0, size};
    StartTree(d);
    bool ok = DecodeBody(d, r) && FlushOutput(d, r);
    StoreRegisters(d, r);
    return ok;
}
