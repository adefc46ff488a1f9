// The disk-space text: unit thresholds, power-of-two scaling, single-precision rounding and the cut.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "wizard/byte_size_text.h"

TEST(FormatByteSize, WritesThreeSignificantFiguresAndTheUnit)
{
    const struct {
        uint32_t bytes;
        const char* text;
    } cases[] = {
        {0, "0 Bytes"},
        {5, "5.00 Bytes"},      // a small count keeps the four-character form
        {12, "12.0 Bytes"},
        {100, "100 Bytes"},
        {999, "999 Bytes"},
        {1000, "0.97 KB"},      // decimal threshold, binary divisor; cut, not rounded
        {1024, "1.00 KB"},
        {753000, "735 KB"},
        {999999, "976 KB"},
        {1000000, "0.95 MB"},
        {1048576, "1.00 MB"},
        {20971519, "20.0 MB"},  // 19.99999905 in double precision: the float rounds it up
        {1000000000, "0.93 GB"},
        {4294967295u, "4.00 GB"},
        {611387, "597 KB"},     // what the destination page shows for each file-table variant
        {711227, "694 KB"},
    };
    for (const auto& c : cases) {
        char text[32];
        memset(text, 'x', sizeof text);
        EXPECT_TRUE(FormatByteSize(text, sizeof text, c.bytes)) << c.bytes;
        EXPECT_STREQ(c.text, text) << c.bytes;
    }
}

TEST(FormatByteSize, RefusesATargetTooSmallWithoutWritingPastIt)
{
    char guarded[12];
    memset(guarded, 'x', sizeof guarded);
    EXPECT_FALSE(FormatByteSize(guarded, 6, 753000));  // "735 KB" needs 7 bytes
    EXPECT_STREQ("", guarded);
    for (size_t i = 6; i < sizeof guarded; i++)
        EXPECT_EQ('x', guarded[i]) << i;
}
