// RLE8 encoding of 8-bit rows, as bitmap resources store them.
#pragma once

#include <stdint.h>

#include <vector>

// Encodes height rows of width indices (top row first) as a bottom-up RLE8
// stream: every row written in full, an end of line between rows, and the
// end-of-bitmap pair after the last.
std::vector<uint8_t> EncodeRle8(const std::vector<uint8_t>& rows, int width, int height);
