// The two platform calls of bitmap decoding: the system face colour and a device bitmap from 24-bit rows.
#pragma once

#include <windows.h>

#include "banner/bitmap_decode.h"

// The three bytes of GetSysColor(index), in pixel-row order.
FaceColour SysColourParts(int index);

// A device bitmap compatible with dc, initialised from bottom-up 24-bit rows of
// (3 * width + 3) & ~3 bytes; null when the system refuses. bits may be freed
// as soon as it returns.
HBITMAP CreateDib24(HDC dc, uint16_t width, uint16_t height, const uint8_t* bits);
