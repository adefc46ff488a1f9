// Bitmap resource decoding: packed 8-bit (RLE8 or plain) and 24-bit bitmaps into tinted 24-bit rows.
#pragma once

#include <stddef.h>
#include <stdint.h>

// 24-bit rows, blue green red per pixel, bottom row first, `stride` bytes a row.
struct DecodedImage {
    uint8_t* pixels;  // owned by whoever asked for the decoding; null when not decoded
    uint16_t width;
    uint16_t height;
    uint32_t stride;  // (3 * width + 3) with the two low bits cleared
};

// The system face colour, split into the channel order of the pixel rows.
struct FaceColour {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
};

constexpr uint32_t BitmapInfoHeaderSize = 40;
constexpr uint32_t BitmapCompressionRle8 = 1;
// Bigger pictures are refused: the banner needs 0.9 MB, and the cap keeps every
// size product within 32 bits on i686 and the fuzzer's allocations small.
constexpr uint32_t BitmapMaxDecodedBytes = 16u << 20;

// Decodes the packed bitmap of `size` bytes at `header`, tinting toward `face`.
// Returns true when image->pixels holds the picture; false (pixels null) for a
// bit count other than 8 or 24, a header or stream that breaks the limits, or
// an allocation that failed. width, height and stride are set in every case.
bool DecodeBitmapResource(DecodedImage* image, const uint8_t* header, size_t size, FaceColour face);

// Entries of the colour table that follows the header (needs the first 36 bytes).
uint16_t ColourCount(const uint8_t* header);

// Bytes of one 8-bit row as a bitmap stores it: width rounded up to a multiple of 4.
uint32_t Rle8RowLength(uint16_t width);

// Expands an RLE8 stream of `size` bytes into height rows of Rle8RowLength(width)
// bytes, zero-initialised. Returns null only when the allocation fails or the
// buffer would pass BitmapMaxDecodedBytes. The caller frees it.
uint8_t* DecodeRle8(uint16_t width, uint16_t height, const uint8_t* data, size_t size);

// Makes 24-bit rows of image->width/height/stride from 8-bit indices (through
// a colour table of colourCount entries) or 24-bit pixels; source rows are
// ((width * bitsPerPixel + 31) / 32) * 4 bytes. Returns null when sourceSize
// is too small for height rows or the allocation fails. The caller frees it.
uint8_t* ConvertTo24(const DecodedImage* image, const uint8_t* source, size_t sourceSize,
                     int bitsPerPixel, const uint8_t* colourTable, uint32_t colourCount,
                     FaceColour face);

// face + value - 220, clamped to 0..255: a grey of 220 becomes exactly the face colour.
uint8_t TintChannel(uint8_t face, uint8_t value);

// Splits a colour value (red in the low byte, then green, then blue).
FaceColour ColourParts(uint32_t colourValue);
