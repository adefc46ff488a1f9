// LZHUF decoder: turns one header-less payload stream (LZSS with adaptive Huffman coding) into its bytes.
#pragma once

#include <stdint.h>

// Where decoded bytes go: the open destination file in setup.exe, memory in tests.
// write returns true only when every byte was written.
struct Destination {
    bool (*write)(void* context, const unsigned char* bytes, uint32_t count);
    void* context;
};

constexpr uint32_t LzhufWindowSize = 4096;
constexpr uint32_t LzhufWindowMask = LzhufWindowSize - 1;
constexpr uint32_t LzhufMaxMatch = 60;
constexpr uint32_t LzhufMinMatch = 3;
constexpr uint32_t LzhufSymbolCount = 314;                  // 256 literals + match lengths 3..60
constexpr uint32_t LzhufNodeCount = 2 * LzhufSymbolCount - 1; // 627
constexpr uint32_t LzhufRoot = LzhufNodeCount - 1;          // 626
constexpr uint32_t LzhufRebuildWeight = 0x8000;
constexpr uint32_t LzhufStartPos = LzhufWindowSize - LzhufMaxMatch; // 4036
constexpr uint32_t LzhufOutBufferSize = 1024;

// The whole decoder state: fixed size, so decoding allocates nothing.
struct LzhufDecoder {
    unsigned char window[LzhufWindowSize];
    uint16_t writePos;
    uint16_t frequency[LzhufNodeCount + 1];  // [627] is the 0xFFFF sentinel
    int16_t child[LzhufNodeCount];           // >= 627 marks a leaf: 627 + symbol
    int16_t parent[LzhufNodeCount + LzhufSymbolCount];  // [627 + s] is the leaf of symbol s
    uint16_t bitBuffer;  // the next input bits, the first in bit 15
    uint16_t bitCount;   // how many bits of bitBuffer, counted from the top, are still unread
    const unsigned char* input;
    uint32_t inputLeft;
    uint32_t outputLeft;
    unsigned char outBuffer[LzhufOutBufferSize];
    uint16_t outCount;
    Destination destination;
};

// Indexed by the first 8 bits of a position code: its upper 6 bits and the length of their prefix code.
extern const unsigned char positionHigh[256];
extern const unsigned char positionLength[256];

// Decodes one stream of packedSize bytes into exactly size bytes. Returns false at the first failed or
// short write (decoding stops there), true when all size bytes were written. size 0 writes nothing.
bool DecodeStream(const unsigned char* packed, uint32_t packedSize, uint32_t size, const Destination& destination);

// One write of count bytes; true only when every byte was written.
bool WriteOutput(const Destination& destination, const unsigned char* bytes, uint32_t count);

// Tree steps of DecodeStream, declared here so that tests can run them on states worked out by hand.
void StartTree(LzhufDecoder& decoder);
void RebuildTree(LzhufDecoder& decoder);
void UpdateTree(LzhufDecoder& decoder, unsigned symbol);
