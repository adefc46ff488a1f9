// The disk-space text: a byte count as three significant figures and a decimal-threshold unit.
#include "wizard/byte_size_text.h"

#include "util/bounded_text.h"

bool FormatByteSize(char* out, size_t size, uint32_t bytes)
{
    const char* unit = "GB";
    double scale = 1.0 / (1u << 30);
    if (bytes < 1000u) {
        unit = "Bytes";
        scale = 1.0;
    } else if (bytes < 1000000u) {
        unit = "KB";
        scale = 1.0 / (1u << 10);
    } else if (bytes < 1000000000u) {
        unit = "MB";
        scale = 1.0 / (1u << 20);
    }
    // The rounding to single precision is part of the text (20971519 bytes shows 20.0 MB,
    // not 19.9): this file is built with -ffloat-store so that i686's x87 registers, which
    // keep more precision, round here exactly as x86-64 does.
    float value = static_cast<float>(bytes * scale);
    if (value == 0.0f)
        return FormatText(out, size, "0 %s", unit);
    char digits[20];
    if (!FormatText(digits, sizeof digits, "%f", static_cast<double>(value))) {
        if (size > 0)
            out[0] = '\0';
        return false;
    }
    int kept = digits[3] == '.' ? 3 : 4;
    return FormatText(out, size, "%.*s %s", kept, digits, unit);
}
