// The lzhuf command: packs payload files for the build, unpacks them again, and measures the coder.
#include "extract/lzhuf_decoder.h"
#include "lzhuf_encoder.h"
#include "tool_files.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <chrono>
#include <vector>

namespace {

const char* const usage =
    "usage: lzhuf encode IN OUT      pack IN (cost-weighted parse) into OUT\n"
    "       lzhuf greedy IN OUT      pack IN with the plain greedy parse\n"
    "       lzhuf decode IN SIZE OUT unpack IN into exactly SIZE bytes\n"
    "       lzhuf bench IN           encode and decode speed, ratios of both parses\n";

struct OutputFile {
    FILE* file;
    const char* path;
};

bool OpenOutput(OutputFile& out, const char* path)
{
    out.path = path;
    out.file = fopen(path, "wb");
    if (out.file == nullptr) {
        fprintf(stderr, "lzhuf: cannot create %s: %s\n", path, strerror(errno));
        return false;
    }
    return true;
}

// A full disk often shows only when the buffered bytes are flushed, so close reports as well.
bool CloseOutput(OutputFile& out, bool ok)
{
    if (fclose(out.file) != 0 && ok) {
        fprintf(stderr, "lzhuf: cannot write %s: %s\n", out.path, strerror(errno));
        return false;
    }
    return ok;
}

bool WriteToFile(void* context, const unsigned char* bytes, uint32_t count)
{
    OutputFile* out = static_cast<OutputFile*>(context);
    return fwrite(bytes, 1, count, out->file) == count;
}

struct MemorySink {
    unsigned char* at;
    uint32_t room;
};

bool WriteToMemory(void* context, const unsigned char* bytes, uint32_t count)
{
    MemorySink* sink = static_cast<MemorySink*>(context);
    if (count > sink->room)
        return false;
    memcpy(sink->at, bytes, count);
    sink->at += count;
    sink->room -= count;
    return true;
}

bool DecodeToMemory(const std::vector<unsigned char>& packed, std::vector<unsigned char>& plain, uint32_t size)
{
    plain.assign(size, 0);
    MemorySink sink = {plain.data(), size};
    Destination destination = {WriteToMemory, &sink};
    return DecodeStream(packed.data(), uint32_t(packed.size()), size, destination) && sink.room == 0;
}

int Encode(const char* inPath, const char* outPath, LzhufParse parse)
{
    std::vector<unsigned char> plain;
    if (!ReadWholeFile("lzhuf", inPath, plain))
        return 1;
    const uint32_t size = uint32_t(plain.size());
    std::vector<unsigned char> packed = EncodeLzhuf(plain.data(), size, parse);

    // The build ships what it packs: a stream that does not decode back must never reach a resource.
    std::vector<unsigned char> check;
    if (!DecodeToMemory(packed, check, size) || check != plain) {
        fprintf(stderr, "lzhuf: internal error: %s does not decode back to its input\n", inPath);
        return 1;
    }

    OutputFile out;
    if (!OpenOutput(out, outPath))
        return 1;
    bool ok = packed.empty() || fwrite(packed.data(), 1, packed.size(), out.file) == packed.size();
    if (!ok)
        fprintf(stderr, "lzhuf: cannot write %s: %s\n", outPath, strerror(errno));
    if (!CloseOutput(out, ok))
        return 1;
    printf("size %u packed %u\n", size, unsigned(packed.size()));
    return 0;
}

int Decode(const char* inPath, const char* sizeText, const char* outPath)
{
    uint32_t size = 0;
    if (!ParseSize(sizeText, size)) {
        fprintf(stderr, "lzhuf: bad size '%s': expected a decimal number from 0 to 4294967295\n", sizeText);
        return 1;
    }
    std::vector<unsigned char> packed;
    if (!ReadWholeFile("lzhuf", inPath, packed))
        return 1;
    OutputFile out;
    if (!OpenOutput(out, outPath))
        return 1;
    Destination destination = {WriteToFile, &out};
    bool ok = DecodeStream(packed.data(), uint32_t(packed.size()), size, destination);
    if (!ok)
        fprintf(stderr, "lzhuf: cannot write %s: %s\n", outPath, strerror(errno));
    return CloseOutput(out, ok) ? 0 : 1;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

int Bench(const char* inPath)
{
    std::vector<unsigned char> plain;
    if (!ReadWholeFile("lzhuf", inPath, plain))
        return 1;
    const uint32_t size = uint32_t(plain.size());
    if (size == 0) {
        fprintf(stderr, "lzhuf: %s is empty: nothing to measure\n", inPath);
        return 1;
    }
    const double megabytes = size / 1e6;

    auto started = std::chrono::steady_clock::now();
    std::vector<unsigned char> packed = EncodeLzhuf(plain.data(), size, LzhufParseOptimal);
    const double encodeSeconds = Seconds(started);

    started = std::chrono::steady_clock::now();
    std::vector<unsigned char> greedy = EncodeLzhuf(plain.data(), size, LzhufParseGreedy);
    const double greedySeconds = Seconds(started);

    std::vector<unsigned char> check;
    int rounds = 0;
    started = std::chrono::steady_clock::now();
    do {
        if (!DecodeToMemory(packed, check, size) || check != plain) {
            fprintf(stderr, "lzhuf: internal error: %s does not decode back to its input\n", inPath);
            return 1;
        }
        rounds++;
    } while (Seconds(started) < 0.5);
    const double decodeSeconds = Seconds(started) / rounds;

    printf("size %u\n", size);
    printf("encode %.1f MB/s (greedy %.1f MB/s)\n", megabytes / encodeSeconds, megabytes / greedySeconds);
    printf("decode %.1f MB/s\n", megabytes / decodeSeconds);
    printf("packed %u (%.2f%%), greedy %u (%.2f%%), ours %.2f%% smaller\n", unsigned(packed.size()),
           100.0 * packed.size() / size, unsigned(greedy.size()), 100.0 * greedy.size() / size,
           100.0 * (1.0 - double(packed.size()) / double(greedy.size())));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* command = argc > 1 ? argv[1] : "";
    if (strcmp(command, "encode") == 0 && argc == 4)
        return Encode(argv[2], argv[3], LzhufParseOptimal);
    if (strcmp(command, "greedy") == 0 && argc == 4)
        return Encode(argv[2], argv[3], LzhufParseGreedy);
    if (strcmp(command, "decode") == 0 && argc == 5)
        return Decode(argv[2], argv[3], argv[4]);
    if (strcmp(command, "bench") == 0 && argc == 3)
        return Bench(argv[2]);
    fputs(usage, stderr);
    return 2;
}
