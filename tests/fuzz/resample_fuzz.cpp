// Fuzz target: the area scaler on arbitrary source sizes, requests and fit modes.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "banner/area_scale.h"

namespace {

uint16_t ReadU16(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

}  // namespace

// Bytes 0-1 and 2-3: source width and height (up to 255 x 127, so runs stay
// fast); 4-5 and 6-7: the request; 8: fit mode; 9: extra bytes of source
// stride in its low bits, and in its top bit a source of one repeated byte,
// which must come out as that byte everywhere: a phase step that drops or
// doubles a share shows; 10 on: the pixels.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 11) return 0;
    const uint16_t sourceWidth = ReadU16(data) % 256;
    const uint16_t sourceHeight = ReadU16(data + 2) % 128;
    const uint16_t requestedWidth = ReadU16(data + 4) % 300;
    const uint16_t requestedHeight = ReadU16(data + 6) % 150;
    const int16_t fitMode = static_cast<int16_t>(static_cast<int8_t>(data[8]) % 7);
    const uint32_t stride = ((3u * sourceWidth + 3u) & ~3u) + (data[9] % 8);
    const uint8_t* pixels = data + 10;
    const size_t pixelBytes = size - 10;

    const size_t sourceBytes = static_cast<size_t>(stride) * sourceHeight;
    uint8_t* source = static_cast<uint8_t*>(malloc(sourceBytes != 0 ? sourceBytes : 1));
    const bool even = (data[9] & 0x80) != 0;
    for (size_t i = 0; i < sourceBytes; ++i) source[i] = even ? pixels[0] : pixels[i % pixelBytes];

    ScaleJob job = {};
    job.sourcePixels = source;
    job.sourceWidth = sourceWidth;
    job.sourceHeight = sourceHeight;
    job.sourceStride = stride;
    job.requestedWidth = requestedWidth;
    job.requestedHeight = requestedHeight;
    job.fitMode = fitMode;
    if (ScaleImage(&job)) {
        if (job.targetWidth == 0 || job.targetWidth > sourceWidth) abort();
        if (job.targetHeight == 0 || job.targetHeight > sourceHeight) abort();
        for (uint32_t y = 0; y < job.targetHeight; ++y) {
            for (uint32_t x = 0; x < 3u * job.targetWidth; ++x) {
                const uint8_t value = job.targetPixels[static_cast<size_t>(y) * job.targetStride + x];
                if (even && value != pixels[0]) abort();
            }
        }
    } else if (job.targetPixels != nullptr) {
        abort();
    }
    free(job.targetPixels);
    free(source);
    return 0;
}
