// Tests of the committed banner picture: it decodes in full and scales to the frame's banner size.
#include <gtest/gtest.h>

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "banner/area_scale.h"
#include "banner/bitmap_decode.h"

namespace {

std::vector<uint8_t> ReadBannerFile() {
    const std::string path = std::string(VELMONDO_SOURCE_DIR) + "/resources/banner.bmp";
    FILE* file = fopen(path.c_str(), "rb");
#ifdef _WIN32
    // Under Wine a Unix path is reached through drive Z:, whatever the current drive.
    if (file == nullptr) file = fopen(("Z:" + path).c_str(), "rb");
#endif
    std::vector<uint8_t> bytes;
    if (file == nullptr) return bytes;
    uint8_t buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    fclose(file);
    return bytes;
}

// The resource compiler keeps everything after the 14-byte file header.
constexpr size_t FileHeaderSize = 14;

TEST(BannerResource, EveryPixelOfEveryRowIsWrittenWithinTheColourTable) {
    const std::vector<uint8_t> file = ReadBannerFile();
    ASSERT_GT(file.size(), FileHeaderSize + BitmapInfoHeaderSize);
    ASSERT_EQ(memcmp(file.data(), "BM", 2), 0);
    const uint8_t* header = file.data() + FileHeaderSize;
    const size_t size = file.size() - FileHeaderSize;
    ASSERT_EQ(ColourCount(header), 188);

    const size_t dataOffset = BitmapInfoHeaderSize + 4u * 188u;
    uint8_t* indices = DecodeRle8(1450, 200, header + dataOffset, size - dataOffset);
    ASSERT_NE(indices, nullptr);
    // Index 0 is the decoder's fill for pixels no run reaches; the drawing never uses it.
    size_t unwritten = 0;
    size_t outsideTable = 0;
    for (size_t y = 0; y < 200; ++y) {
        for (size_t x = 0; x < 1450; ++x) {
            const uint8_t index = indices[y * Rle8RowLength(1450) + x];
            unwritten += index == 0;
            outsideTable += index >= 188;
        }
    }
    free(indices);
    EXPECT_EQ(unwritten, 0u);
    EXPECT_EQ(outsideTable, 0u);
}

TEST(BannerResource, DecodesAndScalesToTheFrameBanner) {
    const std::vector<uint8_t> file = ReadBannerFile();
    ASSERT_GT(file.size(), FileHeaderSize);
    DecodedImage image;
    ASSERT_TRUE(DecodeBitmapResource(&image, file.data() + FileHeaderSize, file.size() - FileHeaderSize,
                                     FaceColour{216, 233, 236}));
    EXPECT_EQ(image.width, 1450);
    EXPECT_EQ(image.height, 200);
    EXPECT_EQ(image.stride, 4352u);

    ScaleJob job = {};
    job.sourcePixels = image.pixels;
    job.sourceWidth = image.width;
    job.sourceHeight = image.height;
    job.sourceStride = image.stride;
    job.requestedWidth = 506;
    job.fitMode = FitWidth;
    ASSERT_TRUE(ScaleImage(&job));
    EXPECT_EQ(job.targetWidth, 506);
    EXPECT_EQ(job.targetHeight, 70);
    EXPECT_EQ(job.targetStride, 1520u);
    free(job.targetPixels);
    free(image.pixels);
}

}  // namespace
