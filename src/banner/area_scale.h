// Area-averaging (box filter) reduction of 24-bit rows, with the target size chosen by a fit mode.
#pragma once

#include <stdint.h>

// One scaling request. Rows are blue green red per pixel, bottom row first.
struct ScaleJob {
    const uint8_t* sourcePixels;
    uint8_t* targetPixels;     // allocated by ScaleImage; the caller frees it
    uint16_t requestedWidth;
    uint16_t requestedHeight;  // 0 when only a width is given
    uint16_t sourceWidth;
    uint16_t sourceHeight;
    uint32_t sourceStride;     // bytes per source row, at least 3 * sourceWidth
    uint16_t targetWidth;      // set by ScaleImage
    uint16_t targetHeight;     // set by ScaleImage
    uint32_t targetStride;     // (3 * targetWidth + 3) with the two low bits cleared
    int16_t fitMode;           // 0 exact, 2 width fixed, 3 height fixed, 4 cover, 5 contain
};

constexpr int16_t FitExact = 0;
constexpr int16_t FitWidth = 2;
constexpr int16_t FitHeight = 3;
constexpr int16_t FitCover = 4;
constexpr int16_t FitContain = 5;

// Sets the target size from the request and the fit mode, allocates
// targetPixels and fills them. Only reductions are made: a target of 0 or
// larger than the source in either direction, a missing source, a source
// stride too small for its width, or a failed allocation refuse the request
// and return false with targetPixels null.
bool ScaleImage(ScaleJob* job);

// Replaces targetWidth or targetHeight by the value that keeps the source's
// aspect ratio, as the fit mode asks. A result past 65535 is held at 65535.
void FitTargetSize(ScaleJob* job);

// Fills targetPixels (targetHeight rows of targetStride bytes) with the area
// means of the source. Refuses (false, nothing written) unless
// 1 <= targetWidth <= sourceWidth, 1 <= targetHeight <= sourceHeight, both
// buffers exist, and both strides hold their rows.
bool ResampleArea(ScaleJob* job, uint16_t targetWidth, uint16_t targetHeight);
