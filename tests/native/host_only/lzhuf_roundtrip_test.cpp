// LZHUF round trips: every stream the build's encoder packs decodes back to its input, byte for byte.
#include "extract/lzhuf_decoder.h"
#include "lzhuf_encoder.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

namespace {

typedef std::vector<unsigned char> Bytes;

bool AppendToBytes(void* context, const unsigned char* bytes, uint32_t count)
{
    Bytes* out = static_cast<Bytes*>(context);
    out->insert(out->end(), bytes, bytes + count);
    return true;
}

Bytes RandomBytes(size_t count, uint32_t seed)
{
    Bytes bytes(count);
    for (unsigned char& byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = (unsigned char)(seed >> 23);
    }
    return bytes;
}

Bytes Text()
{
    std::string text;
    char line[128];
    for (int k = 0; k < 400; k++) {
        snprintf(line, sizeof line, "%d. Search the drive for %s files changed since week %d.\r\n", k,
                 k % 3 ? "project" : "text", k * 7 % 53);
        text += line;
    }
    return Bytes(text.begin(), text.end());
}

// Letter weights that halve from one letter to the next: the rare letters get codes far longer than
// the 8 or 9 bits of the starting tree.
Bytes Skewed()
{
    Bytes bytes;
    uint32_t seed = 7;
    for (int k = 0; k < 60000; k++) {
        seed = seed * 1103515245u + 12345u;
        unsigned letter = 0;
        for (uint32_t bits = seed >> 8; (bits & 1) != 0 && letter < 20; bits >>= 1)
            letter++;
        bytes.push_back((unsigned char)('a' + letter));
    }
    return bytes;
}

// A real i386 executable: the build installs Wine, whose Windows DLLs are PE files.
Bytes WineDll()
{
    static const char* const candidates[] = {
        "/usr/lib/i386-linux-gnu/wine/i386-windows/mpr.dll",
        "/usr/lib/i386-linux-gnu/wine/i386-windows/comdlg32.dll",
        "/usr/lib/i386-linux-gnu/wine/i386-windows/shell32.dll",
        "/usr/lib/wine/i386-windows/mpr.dll",
    };
    for (const char* path : candidates) {
        FILE* file = fopen(path, "rb");
        if (file == nullptr)
            continue;
        Bytes bytes;
        unsigned char chunk[65536];
        size_t got;
        while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + got);
        fclose(file);
        if (bytes.size() > 2 && bytes[0] == 'M' && bytes[1] == 'Z')
            return bytes;
    }
    return Bytes();
}

void ExpectRoundTrip(const Bytes& input)
{
    for (LzhufParse parse : {LzhufParseOptimal, LzhufParseGreedy}) {
        SCOPED_TRACE(parse == LzhufParseOptimal ? "optimal parse" : "greedy parse");
        Bytes packed = EncodeLzhuf(input.data(), uint32_t(input.size()), parse);
        Bytes output;
        Destination destination = {AppendToBytes, &output};
        ASSERT_TRUE(DecodeStream(packed.data(), uint32_t(packed.size()), uint32_t(input.size()), destination));
        ASSERT_EQ(output.size(), input.size());
        EXPECT_TRUE(output == input);
    }
}

TEST(LzhufRoundTrip, DecodesWhatTheEncoderPacks)
{
    struct Case {
        const char* what;
        Bytes input;
    };
    std::string link = "[InternetShortcut]\r\nURL=http://zorva.example/\r\n";
    Bytes tail = Text();
    tail.resize(8192);
    const Case cases[] = {
        {"one byte", Bytes(1, 'Z')},
        {"47 bytes of Internet shortcut", Bytes(link.begin(), link.end())},
        {"text", Text()},
        {"random bytes", RandomBytes(5000, 1)},
        {"one repeated byte: long matches, the last one cut to fit", Bytes(100003, 0xAA)},
        {"a multiple of 1024 bytes", tail},
        {"skewed weights: long codes", Skewed()},
        // Nearly every random byte is a literal: about 250000 symbols, seven rebuilds of the tree.
        {"long enough for seven rebuilds", RandomBytes(250000, 2)},
    };
    ASSERT_EQ(cases[1].input.size(), 47u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectRoundTrip(c.input);
    }
}

TEST(LzhufRoundTrip, DecodesARealExecutable)
{
    Bytes dll = WineDll();
    if (dll.empty())
        GTEST_SKIP() << "no i386 Wine DLL found (install wine32 for this test)";
    ExpectRoundTrip(dll);
    Bytes packed = EncodeLzhuf(dll.data(), uint32_t(dll.size()));
    EXPECT_LT(packed.size(), dll.size() * 3 / 4);
}

}  // namespace
