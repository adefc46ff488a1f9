// The banner picture: its colour table and its 8-bit pixels, drawn from shapes with integer arithmetic only.
#pragma once

#include <stdint.h>

#include <vector>

constexpr int BannerWidth = 1450;
constexpr int BannerHeight = 200;
constexpr int BannerColourCount = 188;

struct PaletteEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// Entry 0 is black and never drawn: the decoder leaves pixels that no run
// writes at index 0, so a picture without index 0 shows that every pixel was
// written. Entries 1-129 are the greys 120-248, 130-187 a blue accent ramp.
std::vector<PaletteEntry> BannerPalette();

// BannerHeight rows of BannerWidth indices, top row first.
std::vector<uint8_t> DrawBanner(const std::vector<PaletteEntry>& palette);
