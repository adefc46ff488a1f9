// Deterministic filler that pads a stand-in file to its table size and packs about as well as the real thing.
#include "filler.h"

#include <string.h>

#include <string>

namespace {

// splitmix64: a fixed generator, so the same input always gives the same filler on every machine.
struct Random {
    uint64_t state;
    uint32_t Next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return uint32_t((z ^ (z >> 31)) >> 32);
    }
    uint32_t Below(uint32_t limit) { return Next() % limit; }
};

// Seeded by the content and the target size: two stand-ins never share their filler.
Random SeedFrom(const std::vector<unsigned char>& bytes, uint32_t size)
{
    uint64_t hash = 0xCBF29CE484222325ull ^ size;
    for (unsigned char b : bytes)
        hash = (hash ^ b) * 0x100000001B3ull;
    return Random{hash};
}

// Opcode and ModRM bytes common in compiled x86 code.
const unsigned char codeBytes[] = {0x8B, 0x89, 0x48, 0x83, 0xE8, 0x24, 0x44, 0x4C, 0x0F, 0x85, 0x84, 0xC7,
                                   0x45, 0x5D, 0xC3, 0x55, 0x74, 0x75, 0xEB, 0x50, 0x56, 0x57, 0x5E, 0x5F,
                                   0x8D, 0x85, 0xC0, 0xFF, 0x15, 0x33, 0x3B, 0x04, 0x08, 0x10, 0x01, 0x6A};

void AppendInstruction(std::vector<unsigned char>& out, Random& random)
{
    out.push_back(codeBytes[random.Below(sizeof codeBytes)]);
    // A register or operand byte: often one of the common ones, otherwise anything.
    out.push_back(random.Below(2) == 0 ? codeBytes[random.Below(sizeof codeBytes)] : uint8_t(random.Next()));
    switch (random.Below(4)) {
    case 0:  // short displacement
        out.push_back(uint8_t(random.Below(16) * 4));
        break;
    case 1:  // 32-bit displacement or address: mostly small, upper bytes zero
        out.push_back(uint8_t(random.Next()));
        out.push_back(uint8_t(random.Below(4) == 0 ? random.Next() : random.Below(0x20)));
        out.push_back(random.Below(3) == 0 ? 0x40 : 0x00);
        out.push_back(0x00);
        break;
    default:
        break;
    }
}

void AppendRepeat(std::vector<unsigned char>& out, Random& random)
{
    uint32_t length = 3 + random.Below(12) + random.Below(12);
    uint32_t reach = uint32_t(out.size()) < 4000 ? uint32_t(out.size()) : 4000;
    if (reach < length)
        return;
    uint32_t from = uint32_t(out.size()) - length - random.Below(reach - length + 1);
    for (uint32_t i = 0; i < length; i++)
        out.push_back(out[from + i]);
}

void AppendData(std::vector<unsigned char>& out, Random& random)
{
    uint32_t words = 2 + random.Below(6);
    for (uint32_t i = 0; i < words; i++) {
        out.push_back(uint8_t(random.Below(3) == 0 ? random.Next() : random.Below(0x40)));
        out.push_back(uint8_t(random.Below(5) == 0 ? random.Next() : 0));
        out.push_back(0);
        out.push_back(0);
    }
}

const char* const syllables[] = {"ve", "mon", "do", "zor", "va", "ri", "sea", "rch", "fil", "ex", "pla",
                                 "der", "in", "ta", "lo", "ne", "qua", "sti", "ber", "ka", "um", "ol"};

void AppendWord(std::string& out, Random& random)
{
    uint32_t parts = 1 + random.Below(3);
    for (uint32_t i = 0; i < parts; i++)
        out += syllables[random.Below(sizeof syllables / sizeof syllables[0])];
}

}  // namespace

void AppendProgramFiller(std::vector<unsigned char>& bytes, uint32_t size)
{
    Random random = SeedFrom(bytes, size);
    while (bytes.size() < size) {
        uint32_t pick = random.Below(100);
        if (pick < 60)
            AppendInstruction(bytes, random);
        else if (pick < 80)
            AppendRepeat(bytes, random);
        else
            AppendData(bytes, random);
    }
    bytes.resize(size);
}

bool AppendHtmlFiller(std::vector<unsigned char>& bytes, uint32_t size)
{
    static const char open[] = "\r\n<!--\r\n";
    static const char close[] = "\r\n-->\r\n";
    const size_t markers = strlen(open) + strlen(close);
    if (bytes.size() > size || size - bytes.size() < markers)
        return false;
    Random random = SeedFrom(bytes, size);
    const size_t room = size - bytes.size() - markers;
    std::string text;
    std::string line;
    while (text.size() + line.size() < room) {
        AppendWord(line, random);
        line += ' ';
        if (line.size() > 70) {
            text += line + "\r\n";
            line.clear();
        }
    }
    text += line;
    text.resize(room, ' ');
    // Cutting the last line to fit leaves plain words inside the comment: no word holds a '-', so
    // nothing ends the comment early.
    bytes.insert(bytes.end(), open, open + strlen(open));
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.insert(bytes.end(), close, close + strlen(close));
    return true;
}
