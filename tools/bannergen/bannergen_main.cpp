// bannergen: writes resources/banner.bmp, or with --check tells whether a file holds exactly those bytes.
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include "banner_art.h"
#include "rle8_encoder.h"

namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// A bitmap file: file header, BITMAPINFOHEADER, colour table, RLE8 pixel data.
std::vector<uint8_t> BannerFile() {
    const std::vector<PaletteEntry> palette = BannerPalette();
    const std::vector<uint8_t> pixels = EncodeRle8(DrawBanner(palette), BannerWidth, BannerHeight);
    const uint32_t dataOffset = 14 + 40 + 4 * BannerColourCount;

    std::vector<uint8_t> file;
    file.push_back('B');
    file.push_back('M');
    PutU32(file, dataOffset + static_cast<uint32_t>(pixels.size()));
    PutU32(file, 0);
    PutU32(file, dataOffset);

    PutU32(file, 40);
    PutU32(file, BannerWidth);
    PutU32(file, BannerHeight);  // positive: bottom row first
    PutU16(file, 1);
    PutU16(file, 8);
    PutU32(file, 1);  // BI_RLE8
    PutU32(file, static_cast<uint32_t>(pixels.size()));
    PutU32(file, 2835);  // 72 dots per inch
    PutU32(file, 2835);
    PutU32(file, BannerColourCount);
    PutU32(file, 0);

    for (const PaletteEntry& entry : palette) {
        file.push_back(entry.blue);
        file.push_back(entry.green);
        file.push_back(entry.red);
        file.push_back(0);
    }
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

bool ReadFile(const char* path, std::vector<uint8_t>& bytes) {
    FILE* file = fopen(path, "rb");
    if (file == nullptr) return false;
    uint8_t buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    const bool ok = ferror(file) == 0;
    fclose(file);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "--check") == 0) {
        std::vector<uint8_t> existing;
        if (!ReadFile(argv[2], existing)) {
            fprintf(stderr, "bannergen: cannot read %s\n", argv[2]);
            return 1;
        }
        if (existing != BannerFile()) {
            fprintf(stderr, "bannergen: %s differs from the drawing; run bannergen %s\n", argv[2], argv[2]);
            return 1;
        }
        printf("bannergen: %s matches the drawing\n", argv[2]);
        return 0;
    }
    if (argc != 2) {
        fprintf(stderr, "usage: bannergen OUTPUT.bmp | bannergen --check FILE.bmp\n");
        return 2;
    }
    const std::vector<uint8_t> file = BannerFile();
    FILE* out = fopen(argv[1], "wb");
    if (out == nullptr || fwrite(file.data(), 1, file.size(), out) != file.size() || fclose(out) != 0) {
        fprintf(stderr, "bannergen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
