// Bitmap resource decoding: packed 8-bit (RLE8 or plain) and 24-bit bitmaps into tinted 24-bit rows.
#include "banner/bitmap_decode.h"

#include <stdlib.h>
#include <string.h>

namespace {

uint16_t ReadU16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t ReadU32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

// Header fields, offsets into BITMAPINFOHEADER.
constexpr size_t FieldSize = 0;
constexpr size_t FieldWidth = 4;
constexpr size_t FieldHeight = 8;
constexpr size_t FieldBitCount = 14;
constexpr size_t FieldCompression = 16;
constexpr size_t FieldColoursUsed = 32;

uint32_t Stride24(uint16_t width) {
    return (3u * width + 3u) & ~3u;
}

// Writes up to count bytes of value at *position, dropping what falls past
// the end; the position still moves by count (capped at the end) so that the
// stream's later commands land where the encoder meant them to.
void FillClipped(uint8_t* out, size_t outSize, size_t* position, uint32_t count, uint8_t value) {
    size_t room = outSize - *position;
    memset(out + *position, value, count < room ? count : room);
    *position += count < room ? count : room;
}

void CopyClipped(uint8_t* out, size_t outSize, size_t* position, const uint8_t* bytes,
                 uint32_t count) {
    size_t room = outSize - *position;
    memcpy(out + *position, bytes, count < room ? count : room);
    *position += count < room ? count : room;
}

// Greys and other colours whose channels share a set bit take on the face
// colour; black and pure colours keep their own.
void StorePixel(uint8_t* out, uint8_t blue, uint8_t green, uint8_t red, FaceColour face) {
    if ((blue & green & red) != 0) {
        blue = TintChannel(face.blue, blue);
        green = TintChannel(face.green, green);
        red = TintChannel(face.red, red);
    }
    out[0] = blue;
    out[1] = green;
    out[2] = red;
}

}  // namespace

uint8_t TintChannel(uint8_t face, uint8_t value) {
    int tinted = face + value - 220;
    if (tinted < 0) return 0;
    if (tinted > 255) return 255;
    return static_cast<uint8_t>(tinted);
}

FaceColour ColourParts(uint32_t colourValue) {
    FaceColour parts;
    parts.red = static_cast<uint8_t>(colourValue & 0xFF);
    parts.green = static_cast<uint8_t>((colourValue >> 8) & 0xFF);
    parts.blue = static_cast<uint8_t>((colourValue >> 16) & 0xFF);
    return parts;
}

uint16_t ColourCount(const uint8_t* header) {
    uint32_t used = ReadU32(header + FieldColoursUsed);
    if (used != 0) return static_cast<uint16_t>(used & 0xFFFF);
    switch (ReadU16(header + FieldBitCount)) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

uint32_t Rle8RowLength(uint16_t width) {
    return (static_cast<uint32_t>(width) + 3u) & ~3u;
}

// Damaged streams are clipped, never refused: bytes a run or a delta would put
// past the last row are dropped, decoding stops once the row number passes the
// last row (nothing more could land), and a stream that ends without its
// end-of-bitmap pair, or inside a command, stops at the end of the data. What
// was decoded stays; pixels never reached keep index 0.
uint8_t* DecodeRle8(uint16_t width, uint16_t height, const uint8_t* data, size_t size) {
    const uint32_t rowLength = Rle8RowLength(width);
    const uint64_t total = static_cast<uint64_t>(rowLength) * height;
    if (total > BitmapMaxDecodedBytes) return nullptr;
    const size_t outSize = static_cast<size_t>(total);
    uint8_t* out = static_cast<uint8_t*>(calloc(outSize != 0 ? outSize : 1, 1));
    if (out == nullptr) return nullptr;

    size_t position = 0;
    uint32_t row = 0;
    size_t in = 0;
    while (row < height && size - in >= 2) {
        const uint8_t first = data[in];
        const uint8_t second = data[in + 1];
        in += 2;
        if (first != 0) {
            FillClipped(out, outSize, &position, first, second);
        } else if (second == 0) {
            ++row;
            position = static_cast<size_t>(row) * rowLength;
        } else if (second == 1) {
            break;
        } else if (second == 2) {
            if (size - in < 2) break;
            const uint8_t dx = data[in];
            const uint8_t dy = data[in + 1];
            in += 2;
            row += dy;
            // At most 255 + 255 * 65536 past a position inside the buffer:
            // no overflow even with a 32-bit size_t.
            const size_t moved = position + dx + static_cast<size_t>(dy) * rowLength;
            position = moved < outSize ? moved : outSize;
        } else {
            const size_t available = size - in;
            const uint32_t count = second < available ? second : static_cast<uint32_t>(available);
            CopyClipped(out, outSize, &position, data + in, count);
            // An odd run is followed by a filler byte that keeps pairs word-aligned.
            const size_t consumed = static_cast<size_t>(second) + (second & 1u);
            in += consumed < available ? consumed : available;
        }
    }
    return out;
}

// An index at or past the colour table's end has no colour: such a pixel is
// black, so a damaged resource never reads past its table.
uint8_t* ConvertTo24(const DecodedImage* image, const uint8_t* source, size_t sourceSize,
                     int bitsPerPixel, const uint8_t* colourTable, uint32_t colourCount,
                     FaceColour face) {
    if (image == nullptr || source == nullptr) return nullptr;
    if (bitsPerPixel != 8 && bitsPerPixel != 24) return nullptr;
    if (bitsPerPixel == 8 && colourTable == nullptr) colourCount = 0;
    const uint16_t width = image->width;
    const uint16_t height = image->height;
    const uint32_t stride = image->stride;
    if (stride < 3u * width) return nullptr;
    const uint32_t sourceRow = (static_cast<uint32_t>(width) * bitsPerPixel + 31u) / 32u * 4u;
    if (static_cast<uint64_t>(sourceRow) * height > sourceSize) return nullptr;
    const uint64_t total = static_cast<uint64_t>(stride) * height;
    if (total > BitmapMaxDecodedBytes) return nullptr;
    uint8_t* out = static_cast<uint8_t*>(malloc(total != 0 ? static_cast<size_t>(total) : 1));
    if (out == nullptr) return nullptr;

    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* in = source + static_cast<size_t>(y) * sourceRow;
        uint8_t* row = out + static_cast<size_t>(y) * stride;
        for (uint32_t x = 0; x < width; ++x) {
            if (bitsPerPixel == 24) {
                StorePixel(row + 3 * x, in[3 * x], in[3 * x + 1], in[3 * x + 2], face);
            } else if (in[x] < colourCount) {
                const uint8_t* entry = colourTable + 4u * in[x];
                StorePixel(row + 3 * x, entry[0], entry[1], entry[2], face);
            } else {
                StorePixel(row + 3 * x, 0, 0, 0, face);
            }
        }
    }
    return out;
}

// Headers are checked before anything is read through them: a resource
// shorter than its header, a colour table or pixel data running past the
// resource's end, a top-down (negative) or zero height, a zero width, and
// sizes past BitmapMaxDecodedBytes are refused, leaving pixels null.
bool DecodeBitmapResource(DecodedImage* image, const uint8_t* header, size_t size,
                          FaceColour face) {
    image->pixels = nullptr;
    image->width = 0;
    image->height = 0;
    image->stride = 0;
    if (header == nullptr || size < BitmapInfoHeaderSize) return false;

    const int32_t width = static_cast<int32_t>(ReadU32(header + FieldWidth));
    const int32_t height = static_cast<int32_t>(ReadU32(header + FieldHeight));
    image->width = static_cast<uint16_t>(width & 0xFFFF);
    image->height = static_cast<uint16_t>(height & 0xFFFF);
    image->stride = Stride24(image->width);
    if (width <= 0 || width > 0xFFFF || height <= 0 || height > 0xFFFF) return false;
    if (static_cast<uint64_t>(image->stride) * image->height > BitmapMaxDecodedBytes) return false;

    const uint16_t bitCount = ReadU16(header + FieldBitCount);
    if (bitCount != 8 && bitCount != 24) return false;

    const uint32_t headerSize = ReadU32(header + FieldSize);
    if (headerSize < BitmapInfoHeaderSize || headerSize > size) return false;
    const uint8_t* colourTable = header + headerSize;
    const uint32_t colourCount = ColourCount(header);
    const size_t tableBytes = 4u * static_cast<size_t>(colourCount);
    if (size - headerSize < tableBytes) return false;
    const uint8_t* data = colourTable + tableBytes;
    const size_t dataSize = size - headerSize - tableBytes;

    if (bitCount == 24) {
        image->pixels = ConvertTo24(image, data, dataSize, 24, nullptr, 0, face);
    } else if (ReadU32(header + FieldCompression) == BitmapCompressionRle8) {
        uint8_t* indices = DecodeRle8(image->width, image->height, data, dataSize);
        if (indices == nullptr) return false;
        const size_t indexBytes = static_cast<size_t>(Rle8RowLength(image->width)) * image->height;
        image->pixels = ConvertTo24(image, indices, indexBytes, 8, colourTable, colourCount, face);
        free(indices);
    } else {
        image->pixels = ConvertTo24(image, data, dataSize, 8, colourTable, colourCount, face);
    }
    return image->pixels != nullptr;
}
