// Tests of bitmap decoding: the face tint, RLE8 commands, colour counts, and damaged headers and streams.
#include <gtest/gtest.h>

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <vector>

#include "banner/bitmap_decode.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Face colour red 236, green 233, blue 216 as GetSysColor reports it.
const FaceColour Face = ColourParts(0x00D8E9ECu);

void PutU16(Bytes& bytes, size_t at, uint16_t value) {
    bytes[at] = value & 0xFF;
    bytes[at + 1] = value >> 8;
}

void PutU32(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = (value >> (8 * i)) & 0xFF;
}

Bytes InfoHeader(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                 uint32_t coloursUsed) {
    Bytes header(40, 0);
    PutU32(header, 0, 40);
    PutU32(header, 4, static_cast<uint32_t>(width));
    PutU32(header, 8, static_cast<uint32_t>(height));
    PutU16(header, 12, 1);
    PutU16(header, 14, bitCount);
    PutU32(header, 16, compression);
    PutU32(header, 32, coloursUsed);
    return header;
}

// The decoder reads from a heap block of exactly the resource's size, so the
// sanitizer sees any read past its end.
struct ExactBuffer {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size;
};

ExactBuffer Exact(const Bytes& bytes) {
    ExactBuffer buffer{std::unique_ptr<uint8_t[]>(new uint8_t[bytes.size()]), bytes.size()};
    if (!bytes.empty()) memcpy(buffer.bytes.get(), bytes.data(), bytes.size());
    return buffer;
}

std::vector<uint8_t> DecodeIndices(uint16_t width, uint16_t height, const Bytes& stream) {
    ExactBuffer data = Exact(stream);
    uint8_t* indices = DecodeRle8(width, height, data.bytes.get(), data.size);
    std::vector<uint8_t> result(indices, indices + Rle8RowLength(width) * height);
    free(indices);
    return result;
}

TEST(TintChannel, MovesValuesRelativeTo220AndClamps) {
    struct Case { uint8_t face, value, expected; };
    const Case cases[] = {
        {216, 220, 216}, {216, 255, 251}, {216, 200, 196}, {236, 255, 255},
        {233, 255, 255}, {40, 100, 0},    {0, 220, 0},     {255, 0, 35},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TintChannel(c.face, c.value), c.expected) << int(c.face) << " " << int(c.value);
    }
}

TEST(ColourParts, RedIsTheLowByte) {
    EXPECT_EQ(Face.red, 236);
    EXPECT_EQ(Face.green, 233);
    EXPECT_EQ(Face.blue, 216);
}

TEST(ConvertTo24, TintsOnlyColoursWhoseChannelsShareABit) {
    struct Entry { uint8_t blue, green, red; uint8_t outBlue, outGreen, outRed; };
    const Entry entries[] = {
        {220, 220, 220, 216, 233, 236},   // grey 220 becomes exactly the face colour
        {255, 255, 255, 251, 255, 255},
        {200, 200, 200, 196, 213, 216},
        {0, 0, 200, 0, 0, 200},           // pure red
        {128, 0, 0, 128, 0, 0},           // dark blue
        {0, 0, 0, 0, 0, 0},               // black
        {0x0F, 0xF0, 0xFF, 0x0F, 0xF0, 0xFF},  // no common bit although no channel is 0
    };
    const uint16_t count = sizeof entries / sizeof entries[0];
    Bytes table;
    Bytes row;
    for (uint16_t i = 0; i < count; ++i) {
        table.insert(table.end(), {entries[i].blue, entries[i].green, entries[i].red, 0});
        row.push_back(static_cast<uint8_t>(i));
    }
    row.resize(Rle8RowLength(count), 0);
    DecodedImage image{nullptr, count, 1, (3u * count + 3u) & ~3u};
    uint8_t* pixels = ConvertTo24(&image, row.data(), row.size(), 8, table.data(), count, Face);
    ASSERT_NE(pixels, nullptr);
    for (uint16_t i = 0; i < count; ++i) {
        EXPECT_EQ(pixels[3 * i], entries[i].outBlue) << "entry " << i;
        EXPECT_EQ(pixels[3 * i + 1], entries[i].outGreen) << "entry " << i;
        EXPECT_EQ(pixels[3 * i + 2], entries[i].outRed) << "entry " << i;
    }
    free(pixels);
}

TEST(DecodeRle8, FollowsEachCommand) {
    struct Case {
        const char* name;
        uint16_t width, height;
        Bytes stream;
        Bytes expected;  // rows of Rle8RowLength(width) bytes
    };
    const Case cases[] = {
        {"odd absolute run skips its filler byte", 5, 1,
         {0, 3, 1, 2, 3, 0xAA, 2, 9, 0, 1},
         {1, 2, 3, 9, 9, 0, 0, 0}},
        {"even absolute run has no filler", 5, 1,
         {0, 4, 1, 2, 3, 4, 1, 7, 0, 1},
         {1, 2, 3, 4, 7, 0, 0, 0}},
        {"early end of line leaves index 0", 4, 2,
         {2, 5, 0, 0, 4, 6, 0, 1},
         {5, 5, 0, 0, 6, 6, 6, 6}},
        {"runs cross a row end", 4, 2,
         {6, 8, 0, 1},
         {8, 8, 8, 8, 8, 8, 0, 0}},
        {"end of bitmap stops decoding", 4, 1,
         {1, 4, 0, 1, 1, 5},
         {4, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeIndices(c.width, c.height, c.stream), c.expected) << c.name;
    }
}

TEST(DecodeRle8, DeltaOfFiveTwo) {
    // Row length 8: the delta moves from (1, 0) to (6, 2).
    const Bytes stream = {1, 1, 0, 2, 5, 2, 1, 9, 0, 0, 1, 3, 0, 1};
    Bytes expected(32, 0);
    expected[0] = 1;
    expected[2 * 8 + 6] = 9;
    expected[3 * 8] = 3;
    EXPECT_EQ(DecodeIndices(8, 4, stream), expected);
}

TEST(ColourCount, UsesClrUsedOrTheBitCountDefault) {
    EXPECT_EQ(ColourCount(InfoHeader(1, 1, 8, 1, 188).data()), 188);
    EXPECT_EQ(ColourCount(InfoHeader(1, 1, 8, 1, 0).data()), 256);
    EXPECT_EQ(ColourCount(InfoHeader(1, 1, 4, 0, 0).data()), 16);
    EXPECT_EQ(ColourCount(InfoHeader(1, 1, 24, 0, 0).data()), 0);
}

// Resources that break the limits. The palette maps index i to pure red i
// (blue and green 0, so no tint): a decoded pixel's red byte is its index.
TEST(DecodeBitmapResource, ClipsDamagedStreamsAndRefusesDamagedHeaders) {
    struct Case {
        const char* name;
        int32_t width, height;
        uint16_t bitCount;
        uint32_t compression;
        uint32_t coloursUsed;
        Bytes data;          // after the colour table
        size_t cutTo;        // when not 0, the resource is cut to this many bytes
        bool decoded;
        Bytes expectedRed;   // per pixel, bottom row first
    };
    const Case cases[] = {
        {"encoded run past the last row is clipped", 2, 1, 8, 1, 16, {5, 3, 0, 1}, 0, true, {3, 3}},
        {"absolute run past the last row is clipped", 2, 1, 8, 1, 16,
         {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}, 0, true, {1, 2}},
        {"delta past the last row stops writing", 2, 2, 8, 1, 16,
         {1, 1, 0, 2, 200, 200, 1, 2, 0, 1}, 0, true, {1, 0, 0, 0}},
        {"end of line past the last row stops writing", 2, 1, 8, 1, 16,
         {1, 1, 0, 0, 1, 2, 0, 0, 3, 3}, 0, true, {1, 0}},
        {"missing end of bitmap keeps what was decoded", 2, 1, 8, 1, 16, {1, 4}, 0, true, {4, 0}},
        {"stream ending inside an absolute run", 4, 1, 8, 1, 16, {0, 4, 1, 2}, 0, true, {1, 2, 0, 0}},
        {"stream ending inside a delta", 2, 1, 8, 1, 16, {1, 3, 0, 2, 1}, 0, true, {3, 0}},
        {"index beyond the colour table is black", 3, 1, 8, 1, 4, {1, 3, 2, 9, 0, 1}, 0, true,
         {3, 0, 0}},
        {"uncompressed index beyond the colour table is black", 2, 1, 8, 0, 4, {2, 4, 0, 0}, 0, true,
         {2, 0}},
        {"top-down height", 2, -1, 8, 1, 16, {2, 1, 0, 1}, 0, false, {}},
        {"zero width", 0, 1, 8, 1, 16, {0, 1}, 0, false, {}},
        {"zero height", 2, 0, 8, 1, 16, {0, 1}, 0, false, {}},
        {"too large to decode", 65535, 65535, 8, 1, 16, {0, 1}, 0, false, {}},
        {"bit count 4 is not decoded", 2, 1, 4, 0, 16, {0x12, 0, 0, 0}, 0, false, {}},
        {"resource shorter than the info header", 2, 1, 8, 1, 16, {0, 1}, 39, false, {}},
        {"colour table past the resource end", 2, 1, 8, 1, 16, {}, 40 + 60, false, {}},
        {"uncompressed rows past the resource end", 2, 2, 8, 0, 16, {1, 2, 0, 0, 3}, 0, false, {}},
        {"24-bit rows past the resource end", 2, 1, 24, 0, 0, {1, 2, 3, 4, 5}, 0, false, {}},
    };
    for (const Case& c : cases) {
        Bytes resource = InfoHeader(c.width, c.height, c.bitCount, c.compression, c.coloursUsed);
        for (uint32_t i = 0; i < c.coloursUsed; ++i) resource.insert(resource.end(), {0, 0, uint8_t(i), 0});
        resource.insert(resource.end(), c.data.begin(), c.data.end());
        if (c.cutTo != 0) resource.resize(c.cutTo);
        ExactBuffer buffer = Exact(resource);
        DecodedImage image;
        const bool decoded = DecodeBitmapResource(&image, buffer.bytes.get(), buffer.size, Face);
        EXPECT_EQ(decoded, c.decoded) << c.name;
        EXPECT_EQ(image.pixels != nullptr, c.decoded) << c.name;
        if (decoded && image.pixels != nullptr) {
            Bytes red;
            for (uint32_t y = 0; y < image.height; ++y)
                for (uint32_t x = 0; x < image.width; ++x) red.push_back(image.pixels[y * image.stride + 3 * x + 2]);
            EXPECT_EQ(red, c.expectedRed) << c.name;
        }
        free(image.pixels);
    }
}

TEST(DecodeBitmapResource, TableStartsAtBiSizeAndPixelsFollowIt) {
    // A 52-byte header (12 bytes beyond the usual 40) and a 24-bit source
    // whose second pixel is grey 220 and so takes on the face colour.
    Bytes resource = InfoHeader(2, 1, 24, 0, 2);
    PutU32(resource, 0, 52);
    resource.resize(52, 0xEE);
    resource.insert(resource.end(), {9, 9, 9, 9, 9, 9, 9, 9});  // two unused table entries
    resource.insert(resource.end(), {1, 2, 3, 220, 220, 220, 0, 0});
    ExactBuffer buffer = Exact(resource);
    DecodedImage image;
    ASSERT_TRUE(DecodeBitmapResource(&image, buffer.bytes.get(), buffer.size, Face));
    EXPECT_EQ(image.stride, 8u);
    const Bytes expected = {1, 2, 3, 216, 233, 236};
    EXPECT_EQ(Bytes(image.pixels, image.pixels + 6), expected);
    free(image.pixels);
}

}  // namespace
