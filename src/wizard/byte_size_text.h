// The disk-space text: a byte count as three significant figures and a decimal-threshold unit.
#pragma once
#include <cstddef>
#include <cstdint>

// Writes "0 Bytes", "5.00 Bytes", "12.0 Bytes", "735 KB", "0.95 MB", "4.00 GB" and the like:
// units change at 1000, 10^6 and 10^9 bytes while the value is scaled by 2^10, 2^20 and
// 2^30, then rounded to single precision and cut (not rounded) to three or four characters.
// False, with out empty, when the text does not fit size bytes.
bool FormatByteSize(char* out, size_t size, uint32_t bytes);
