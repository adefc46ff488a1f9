// RLE8 encoding of 8-bit rows, as bitmap resources store them.
#include "rle8_encoder.h"

#include <stddef.h>

namespace {

int RunLength(const uint8_t* row, int at, int width) {
    int length = 1;
    while (at + length < width && length < 255 && row[at + length] == row[at]) ++length;
    return length;
}

void EncodeRow(const uint8_t* row, int width, std::vector<uint8_t>& out) {
    int x = 0;
    while (x < width) {
        const int run = RunLength(row, x, width);
        if (run >= 3) {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(row[x]);
            x += run;
            continue;
        }
        // Gather pixels until a run of three or more begins.
        int end = x;
        while (end < width && end - x < 255 && RunLength(row, end, width) < 3) ++end;
        const int count = end - x;
        if (count < 3) {
            // Absolute mode needs at least three pixels; shorter spans go as runs of one.
            for (int i = x; i < end; ++i) {
                out.push_back(1);
                out.push_back(row[i]);
            }
        } else {
            out.push_back(0);
            out.push_back(static_cast<uint8_t>(count));
            out.insert(out.end(), row + x, row + end);
            if (count & 1) out.push_back(0);  // keeps the next pair word-aligned
        }
        x = end;
    }
}

}  // namespace

std::vector<uint8_t> EncodeRle8(const std::vector<uint8_t>& rows, int width, int height) {
    std::vector<uint8_t> out;
    for (int y = height - 1; y >= 0; --y) {
        EncodeRow(rows.data() + static_cast<size_t>(y) * width, width, out);
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0);
    }
    return out;
}
