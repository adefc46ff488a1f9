// Fuzz target: the LZHUF decoder on arbitrary streams, sizes and failing writes.
#include "extract/lzhuf_decoder.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

namespace {

struct CountingSink {
    uint32_t written;
    uint32_t size;
    uint32_t writes;
    uint32_t failingWrite;  // index of the write that fails; beyond any stream when none should
};

bool CountWrite(void* context, const unsigned char* bytes, uint32_t count)
{
    CountingSink* sink = static_cast<CountingSink*>(context);
    // Every write is one buffer's worth at most, never empty, and never goes past size.
    if (count == 0 || count > LzhufOutBufferSize || count > sink->size - sink->written)
        abort();
    volatile unsigned char touch = bytes[0] ^ bytes[count - 1];
    (void)touch;
    sink->written += count;
    return sink->writes++ != sink->failingWrite;
}

}  // namespace

// Layout: 2 bytes of size and 1 of scale (up to 1 MB, mostly far less so that runs stay quick), 1 byte
// choosing a failing write, then the stream.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    uint32_t outputSize = (uint32_t(data[0]) | uint32_t(data[1]) << 8) << (data[2] % 5);
    uint32_t failingWrite = data[3] < 0xF0 ? UINT32_MAX : data[3] - 0xF0u;
    // An exact-size copy, so that any read past packedSize lands outside the allocation.
    std::vector<unsigned char> packed(data + 4, data + size);

    CountingSink sink = {0, outputSize, 0, failingWrite};
    Destination destination = {CountWrite, &sink};
    bool ok = DecodeStream(packed.empty() ? nullptr : packed.data(), uint32_t(packed.size()), outputSize,
                           destination);
    if (ok != (sink.written == outputSize && sink.writes <= failingWrite))
        abort();
    if (ok && sink.writes != (outputSize + LzhufOutBufferSize - 1) / LzhufOutBufferSize)
        abort();
    return 0;
}
