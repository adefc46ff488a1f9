// Area-averaging (box filter) reduction of 24-bit rows, with the target size chosen by a fit mode.
//
// Built with -ffloat-store by GCC: i686 keeps float temporaries in x87
// extended precision, so every value the scaler rounds to single precision is
// assigned to a named float; without that the banner's bytes would differ
// between the x86-64 test build and setup.exe.
#include "banner/area_scale.h"

#include <math.h>
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

namespace {

// Source pixels per target pixel; a request of 0 gives an infinite ratio.
float Ratio(uint16_t source, uint16_t requested) {
    if (requested == 0) return HUGE_VALF;
    const float ratio = static_cast<float>(source) / static_cast<float>(requested);
    return ratio;
}

// source / ratio + 0.5, truncated: rounds half up. An empty source (ratio 0)
// and results past 65535 are held at 65535, which no reduction accepts.
uint16_t DimensionFor(uint16_t source, float ratio) {
    if (!(ratio > 0.0f)) return 0xFFFF;
    const float quotient = static_cast<float>(source) / ratio;
    const float rounded = quotient + 0.5f;
    if (!(rounded < 65535.0f)) return 0xFFFF;
    return static_cast<uint16_t>(rounded);
}

// The float nearest to numerator / denominator (ties to even), for
// 0 < numerator <= denominator < 2^40, worked out with integers: dividing the
// 32-bit pixel counts in double, or in x87 extended precision, and rounding
// again to float could land one unit apart on the two builds.
float NearestFloatQuotient(uint64_t numerator, uint64_t denominator) {
    uint64_t quotient = 0;
    uint64_t remainder = numerator;
    int exponent = 0;
    // 25 quotient bits: 24 for the mantissa and one to round with.
    while (quotient < (uint64_t{1} << 24)) {
        remainder <<= 1;
        quotient <<= 1;
        if (remainder >= denominator) {
            remainder -= denominator;
            quotient |= 1;
        }
        --exponent;
    }
    uint64_t mantissa = quotient >> 1;
    const bool half = (quotient & 1) != 0;
    if (half && (remainder != 0 || (mantissa & 1) != 0)) ++mantissa;
    // Scaling by a power of two is exact; a loop rather than ldexpf keeps mingw's
    // ldexp, and the unwind section it brings, out of setup.exe.
    float scale = 1.0f;
    for (int e = exponent + 1; e < 0; e++) scale *= 0.5f;
    const float result = static_cast<float>(mantissa) * scale;
    return result;
}

// The weighted share of one channel is rounded to float before it is added,
// and the sum is stored as a float: the same two roundings on both builds.
inline void Accumulate(float* sum, float weight, uint8_t value) {
    const float term = weight * static_cast<float>(value);
    *sum = *sum + term;
}

}  // namespace

void FitTargetSize(ScaleJob* job) {
    const float rx = Ratio(job->sourceWidth, job->requestedWidth);
    const float ry = Ratio(job->sourceHeight, job->requestedHeight);
    bool widthFixed;
    switch (job->fitMode) {
    case FitWidth: widthFixed = true; break;
    case FitCover: widthFixed = rx < ry; break;
    case FitContain: widthFixed = rx > ry; break;
    default: widthFixed = false; break;
    }
    if (widthFixed) {
        job->targetHeight = DimensionFor(job->sourceHeight, rx);
    } else {
        job->targetWidth = DimensionFor(job->sourceWidth, ry);
    }
}

bool ScaleImage(ScaleJob* job) {
    job->targetPixels = nullptr;
    job->targetWidth = job->requestedWidth;
    job->targetHeight = job->requestedHeight;
    if (job->fitMode != FitExact) FitTargetSize(job);
    job->targetStride = (3u * job->targetWidth + 3u) & ~3u;

    if (job->sourcePixels == nullptr) return false;
    if (job->targetWidth == 0 || job->targetWidth > job->sourceWidth) return false;
    if (job->targetHeight == 0 || job->targetHeight > job->sourceHeight) return false;
    if (job->sourceStride < 3u * job->sourceWidth) return false;
    const uint64_t bytes = static_cast<uint64_t>(job->targetStride) * job->targetHeight;
    if (bytes > SIZE_MAX) return false;
    job->targetPixels = static_cast<uint8_t*>(malloc(static_cast<size_t>(bytes)));
    if (job->targetPixels == nullptr) return false;
    if (!ResampleArea(job, job->targetWidth, job->targetHeight)) {
        free(job->targetPixels);
        job->targetPixels = nullptr;
        return false;
    }
    return true;
}

// Each source pixel is a cell targetWidth x targetHeight units and each target
// pixel a cell sourceWidth x sourceHeight units, so both span the same area.
// The phase counters measure how far into the current target cell a source
// cell ends; when it ends past the target cell, the source cell straddles two
// target cells and its value is split by the overlap. The counters are 32-bit:
// with 16 bits, phase + target size wraps for sources over 32767 pixels and
// the target index would run past the buffer.
bool ResampleArea(ScaleJob* job, uint16_t targetWidth, uint16_t targetHeight) {
    const uint32_t sourceWidth = job->sourceWidth;
    const uint32_t sourceHeight = job->sourceHeight;
    const uint32_t tw = targetWidth;
    const uint32_t th = targetHeight;
    if (job->sourcePixels == nullptr || job->targetPixels == nullptr) return false;
    if (tw == 0 || tw > sourceWidth || th == 0 || th > sourceHeight) return false;
    if (job->sourceStride < 3u * sourceWidth || job->targetStride < 3u * tw) return false;

    const size_t rowFloats = 3u * static_cast<size_t>(tw);
    const uint64_t floatCount = static_cast<uint64_t>(rowFloats) * th;
    if (floatCount > SIZE_MAX / sizeof(float)) return false;
    float* sums = static_cast<float*>(calloc(static_cast<size_t>(floatCount), sizeof(float)));
    if (sums == nullptr) return false;

    uint32_t rowPhase = 0;
    uint32_t ty = 0;
    for (uint32_t sy = 0; sy < sourceHeight; ++sy) {
        const uint8_t* source = job->sourcePixels + static_cast<size_t>(sy) * job->sourceStride;
        rowPhase += th;
        const bool rowStraddles = rowPhase > sourceHeight;
        float wy0 = 1.0f;
        float wy1 = 0.0f;
        if (rowStraddles) {
            wy1 = static_cast<float>(rowPhase - sourceHeight) / static_cast<float>(th);
            wy0 = 1.0f - wy1;
        }
        float* row0 = sums + ty * rowFloats;
        float* row1 = row0 + rowFloats;  // used only when the row straddles

        uint32_t columnPhase = 0;
        uint32_t tx = 0;
        for (uint32_t sx = 0; sx < sourceWidth; ++sx) {
            columnPhase += tw;
            const bool columnStraddles = columnPhase > sourceWidth;
            float wx0 = 1.0f;
            float wx1 = 0.0f;
            if (columnStraddles) {
                wx1 = static_cast<float>(columnPhase - sourceWidth) / static_cast<float>(tw);
                wx0 = 1.0f - wx1;
            }
            const uint8_t* pixel = source + 3u * sx;
            float* here = row0 + 3u * tx;
            if (rowStraddles && columnStraddles) {
                const float w00 = wy0 * wx0;
                const float w01 = wy0 * wx1;
                const float w10 = wy1 * wx0;
                const float w11 = wy1 * wx1;
                float* below = row1 + 3u * tx;
                for (int c = 0; c < 3; ++c) {
                    Accumulate(here + c, w00, pixel[c]);
                    Accumulate(here + 3 + c, w01, pixel[c]);
                    Accumulate(below + c, w10, pixel[c]);
                    Accumulate(below + 3 + c, w11, pixel[c]);
                }
            } else if (rowStraddles) {
                float* below = row1 + 3u * tx;
                for (int c = 0; c < 3; ++c) {
                    Accumulate(here + c, wy0, pixel[c]);
                    Accumulate(below + c, wy1, pixel[c]);
                }
            } else if (columnStraddles) {
                for (int c = 0; c < 3; ++c) {
                    Accumulate(here + c, wx0, pixel[c]);
                    Accumulate(here + 3 + c, wx1, pixel[c]);
                }
            } else {
                for (int c = 0; c < 3; ++c) Accumulate(here + c, 1.0f, pixel[c]);
            }

            if (columnStraddles) {
                ++tx;
                columnPhase -= sourceWidth;
            } else if (columnPhase == sourceWidth) {
                ++tx;
                columnPhase = 0;
            }
        }

        if (rowStraddles) {
            ++ty;
            rowPhase -= sourceHeight;
        } else if (rowPhase == sourceHeight) {
            ++ty;
            rowPhase = 0;
        }
    }

    const float scale = NearestFloatQuotient(static_cast<uint64_t>(tw) * th,
                                             static_cast<uint64_t>(sourceWidth) * sourceHeight);
    for (uint32_t y = 0; y < th; ++y) {
        const float* sum = sums + y * rowFloats;
        uint8_t* out = job->targetPixels + static_cast<size_t>(y) * job->targetStride;
        for (size_t i = 0; i < rowFloats; ++i) {
            const float mean = sum[i] * scale;
            const float rounded = mean + 0.5f;
            // Float error in very large reductions can push a white mean just
            // past 255; holding it at 255 keeps white from wrapping to black.
            out[i] = rounded >= 255.0f ? 255 : static_cast<uint8_t>(rounded);
        }
    }
    free(sums);
    return true;
}
