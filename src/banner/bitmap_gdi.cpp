// The two platform calls of bitmap decoding: the system face colour and a device bitmap from 24-bit rows.
#include "banner/bitmap_gdi.h"

#include <string.h>

FaceColour SysColourParts(int index) {
    return ColourParts(GetSysColor(index));
}

HBITMAP CreateDib24(HDC dc, uint16_t width, uint16_t height, const uint8_t* bits) {
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(height) * ((width * 24u + 31u) / 32u * 4u);
    // 72 per metre as it stands: the bitmap is only ever copied to the screen,
    // so nothing reads its resolution.
    info.bmiHeader.biXPelsPerMeter = 72;
    info.bmiHeader.biYPelsPerMeter = 72;
    return CreateDIBitmap(dc, &info.bmiHeader, CBM_INIT, bits, &info, DIB_RGB_COLORS);
}
