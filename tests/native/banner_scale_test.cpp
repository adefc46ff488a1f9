// Tests of the area-averaging scaler and the fit modes that choose its target size.
#include <gtest/gtest.h>

#include <stdint.h>
#include <stdlib.h>

#include <vector>

#include "banner/area_scale.h"

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t Stride(uint32_t width) {
    return (3u * width + 3u) & ~3u;
}

// Rows of width pixels with every channel of pixel (x, y) set by value(x, y, channel).
template <typename Value>
Bytes MakeImage(uint32_t width, uint32_t height, Value value) {
    Bytes image(Stride(width) * height, 0xCD);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            for (uint32_t c = 0; c < 3; ++c) image[y * Stride(width) + 3 * x + c] = value(x, y, c);
    return image;
}

ScaleJob Job(const Bytes& source, uint16_t width, uint16_t height, uint16_t requestedWidth,
             uint16_t requestedHeight, int16_t fitMode) {
    ScaleJob job = {};
    job.sourcePixels = source.data();
    job.sourceWidth = width;
    job.sourceHeight = height;
    job.sourceStride = Stride(width);
    job.requestedWidth = requestedWidth;
    job.requestedHeight = requestedHeight;
    job.fitMode = fitMode;
    return job;
}

// Pixel bytes of rows `stride` apart, without the row padding.
Bytes Unpadded(const uint8_t* rows, uint32_t width, uint32_t height, uint32_t stride) {
    Bytes pixels;
    for (uint32_t y = 0; y < height; ++y) pixels.insert(pixels.end(), rows + y * stride, rows + y * stride + 3 * width);
    return pixels;
}

Bytes Pixels(const ScaleJob& job) {
    return Unpadded(job.targetPixels, job.targetWidth, job.targetHeight, job.targetStride);
}

TEST(ScaleImage, SameSizeReproducesEverySourceByte) {
    const Bytes source = MakeImage(5, 3, [](uint32_t x, uint32_t y, uint32_t c) {
        return uint8_t(x * 53 + y * 31 + c * 97 + 1);
    });
    ScaleJob job = Job(source, 5, 3, 5, 3, FitExact);
    ASSERT_TRUE(ScaleImage(&job));
    EXPECT_EQ(job.targetStride, 16u);
    EXPECT_EQ(Pixels(job), Unpadded(source.data(), 5, 3, Stride(5)));
    free(job.targetPixels);
}

TEST(ScaleImage, HalvingGivesBlockMeansRoundedHalfUp) {
    // Blocks: bottom-left 10 11 11 11 (mean 10.75), bottom-right 0 0 0 2 (0.5),
    // top-left 255 everywhere, top-right 1 2 3 4 (2.5).
    const uint8_t values[4][4] = {
        {10, 11, 0, 0},
        {11, 11, 0, 2},
        {255, 255, 1, 2},
        {255, 255, 3, 4},
    };
    const Bytes source = MakeImage(4, 4, [&](uint32_t x, uint32_t y, uint32_t) { return values[y][x]; });
    ScaleJob job = Job(source, 4, 4, 2, 2, FitExact);
    ASSERT_TRUE(ScaleImage(&job));
    const Bytes expected = {11, 11, 11, 1, 1, 1, 255, 255, 255, 3, 3, 3};
    EXPECT_EQ(Pixels(job), expected);
    free(job.targetPixels);
}

TEST(ScaleImage, SplitsAStraddlingPixelBetweenTwoTargets) {
    const uint8_t blue[3] = {30, 60, 90};
    const Bytes source = MakeImage(3, 1, [&](uint32_t x, uint32_t, uint32_t c) {
        return uint8_t(c == 0 ? blue[x] : 0);
    });
    ScaleJob job = Job(source, 3, 1, 2, 1, FitExact);
    ASSERT_TRUE(ScaleImage(&job));
    const Bytes expected = {40, 0, 0, 80, 0, 0};
    EXPECT_EQ(Pixels(job), expected);
    free(job.targetPixels);
}

// A wrong phase step drops or doubles a share somewhere: an even picture would
// then not stay even. Sizes with straddles across, down and both.
TEST(ScaleImage, EvenPictureStaysEvenForAwkwardRatios) {
    struct Case { uint16_t sw, sh, tw, th; };
    const Case cases[] = {{7, 5, 3, 2}, {11, 13, 4, 9}, {1450, 200, 506, 70}, {9, 9, 8, 1}};
    for (const Case& c : cases) {
        const Bytes source = MakeImage(c.sw, c.sh, [](uint32_t, uint32_t, uint32_t ch) {
            return uint8_t(ch == 0 ? 255 : ch == 1 ? 221 : 7);
        });
        ScaleJob job = Job(source, c.sw, c.sh, c.tw, c.th, FitExact);
        ASSERT_TRUE(ScaleImage(&job)) << c.sw << "x" << c.sh;
        const Bytes pixels = Pixels(job);
        for (size_t i = 0; i < pixels.size(); i += 3) {
            ASSERT_EQ(pixels[i], 255) << c.sw << "x" << c.sh << " at " << i;
            ASSERT_EQ(pixels[i + 1], 221) << c.sw << "x" << c.sh << " at " << i;
            ASSERT_EQ(pixels[i + 2], 7) << c.sw << "x" << c.sh << " at " << i;
        }
        free(job.targetPixels);
    }
}

// Both builds must produce the same bytes: setup.exe (i686, x87) and the
// x86-64 tests. The hash is the x86-64 result for a noisy picture some of
// whose means fall close enough to a rounding boundary that x87 temporaries
// kept in extended precision change them; the mingw build of these tests,
// run under Wine, must reach the same value.
TEST(ScaleImage, SameBytesOnEveryBuild) {
    uint32_t seed = 12345;
    const Bytes source = MakeImage(84, 50, [&](uint32_t, uint32_t, uint32_t) {
        seed = seed * 1103515245u + 12345u;
        return uint8_t(seed >> 8);
    });
    ScaleJob job = Job(source, 84, 50, 52, 15, FitExact);
    ASSERT_TRUE(ScaleImage(&job));
    uint32_t hash = 2166136261u;
    for (uint8_t byte : Pixels(job)) hash = (hash ^ byte) * 16777619u;
    EXPECT_EQ(hash, 697354600u);
    free(job.targetPixels);
}

TEST(FitTargetSize, FollowsTheModeAndTheAspectRatio) {
    struct Case { uint16_t sw, sh, rw, rh; int16_t mode; uint16_t tw, th; };
    const Case cases[] = {
        {3, 1, 2, 0, FitWidth, 2, 1},            // 1 / 1.5 + 0.5 = 1.17
        {1450, 200, 506, 0, FitWidth, 506, 70},  // the banner in a 506-pixel frame
        {16, 200, 7, 0, FitWidth, 7, 87},        // 87.499996 + 0.5 in float stays below 88
        {200, 100, 0, 50, FitHeight, 100, 50},
        {200, 100, 100, 100, FitCover, 200, 100},
        {200, 100, 100, 100, FitContain, 100, 50},
        {200, 100, 100, 50, FitCover, 100, 50},  // equal ratios: height fixed
        {200, 100, 0, 50, 7, 100, 50},           // unknown modes fix the height
    };
    for (const Case& c : cases) {
        const Bytes none;
        ScaleJob job = Job(none, c.sw, c.sh, c.rw, c.rh, c.mode);
        job.targetWidth = c.rw;
        job.targetHeight = c.rh;
        FitTargetSize(&job);
        EXPECT_EQ(job.targetWidth, c.tw) << c.sw << "x" << c.sh << " mode " << c.mode;
        EXPECT_EQ(job.targetHeight, c.th) << c.sw << "x" << c.sh << " mode " << c.mode;
    }
}

TEST(ScaleImage, RefusesWhatItCannotReduce) {
    struct Case { const char* name; uint16_t rw, rh; int16_t mode; bool withSource; uint32_t stride; };
    const Case cases[] = {
        {"wider than the source", 9, 4, FitExact, true, 24},
        {"taller than the source", 4, 5, FitExact, true, 24},
        {"zero width", 0, 2, FitExact, true, 24},
        {"zero height", 4, 0, FitExact, true, 24},
        {"fit to a width of 0", 0, 0, FitWidth, true, 24},
        {"fit that enlarges", 16, 0, FitWidth, true, 24},
        {"no source pixels", 4, 2, FitExact, false, 24},
        {"stride shorter than a row", 4, 2, FitExact, true, 20},
    };
    const Bytes source(24 * 4, 100);
    for (const Case& c : cases) {
        ScaleJob job = Job(source, 8, 4, c.rw, c.rh, c.mode);
        if (!c.withSource) job.sourcePixels = nullptr;
        job.sourceStride = c.stride;
        EXPECT_FALSE(ScaleImage(&job)) << c.name;
        EXPECT_EQ(job.targetPixels, nullptr) << c.name;
    }
}

}  // namespace
