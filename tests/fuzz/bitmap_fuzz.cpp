// Fuzz target: bitmap decoding of arbitrary resources, and RLE8 streams under a well-formed header.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "banner/bitmap_decode.h"

namespace {

void PutU32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = (value >> (8 * i)) & 0xFF;
}

}  // namespace

// Byte 0 chooses the shape of the input: odd values take the rest as a whole
// resource; even values build a valid 8-bit header (size, compression and a
// small colour table from bytes 1-4), so that the stream and the index checks
// are reached far more often than random headers would allow.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    const FaceColour face{data[1], data[2], data[3]};
    DecodedImage image;
    if (data[0] & 1) {
        const size_t length = size - 4;
        uint8_t* resource = static_cast<uint8_t*>(malloc(length));
        memcpy(resource, data + 4, length);
        DecodeBitmapResource(&image, resource, length, face);
        free(resource);
    } else {
        const uint32_t width = 1 + data[1] % 96;
        const uint32_t height = 1 + data[2] % 64;
        const uint32_t colours = data[3] % 40;
        const bool rle = (data[4] & 1) != 0;
        const size_t tail = size - 5;
        const size_t length = 40 + 4 * colours + tail;
        uint8_t* resource = static_cast<uint8_t*>(calloc(length, 1));
        PutU32(resource, 40);
        PutU32(resource + 4, width);
        PutU32(resource + 8, height);
        resource[12] = 1;
        resource[14] = 8;
        PutU32(resource + 16, rle ? 1 : 0);
        PutU32(resource + 32, colours);
        for (uint32_t i = 0; i < colours; ++i) resource[40 + 4 * i] = resource[41 + 4 * i] = static_cast<uint8_t>(i * 7);
        memcpy(resource + 40 + 4 * colours, data + 5, tail);
        DecodeBitmapResource(&image, resource, length, face);
        free(resource);
    }
    if (image.pixels != nullptr) {
        // Every row of the output must be readable in full.
        if (image.stride < 3u * image.width) abort();
        volatile uint8_t sink = 0;
        for (uint32_t y = 0; y < image.height; ++y)
            for (uint32_t x = 0; x < 3u * image.width; ++x) sink = sink ^ image.pixels[y * image.stride + x];
    }
    free(image.pixels);
    return 0;
}
