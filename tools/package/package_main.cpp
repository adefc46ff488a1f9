// The package command: pads the stand-in product files to size and packs them with the file table.
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "extract/lzhuf_decoder.h"
#include "extract/payload_checksum.h"
#include "file_table_text.h"
#include "filler.h"
#include "generated_sources.h"
#include "lzhuf_encoder.h"
#include "tool_files.h"

namespace {

const char* const usage =
    "usage: package pad pe|html IN SIZE OUT        pad IN to exactly SIZE bytes into OUT\n"
    "       package pack TABLE STAGE PACKED GENERATED\n"
    "           pack every row of TABLE (sources in STAGE) into PACKED/<resource>.lz or .stored, and write\n"
    "           GENERATED/file_table.inc, GENERATED/file_checksums.inc and GENERATED/payload.rc\n";

// A full disk often shows only when the buffered bytes are flushed, so the close counts as well.
bool WriteFile(const std::string& path, const void* bytes, size_t count)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) {
        fprintf(stderr, "package: cannot create %s: %s\n", path.c_str(), strerror(errno));
        return false;
    }
    bool ok = count == 0 || fwrite(bytes, 1, count, file) == count;
    ok = fclose(file) == 0 && ok;
    if (!ok) {
        fprintf(stderr, "package: cannot write %s: %s\n", path.c_str(), strerror(errno));
        remove(path.c_str());
    }
    return ok;
}

bool WriteText(const std::string& path, const std::string& text)
{
    return WriteFile(path, text.data(), text.size());
}

bool IsPeImage(const std::vector<unsigned char>& bytes)
{
    if (bytes.size() < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z')
        return false;
    uint32_t header = bytes[0x3C] | bytes[0x3D] << 8 | bytes[0x3E] << 16 | uint32_t(bytes[0x3F]) << 24;
    return header <= bytes.size() - 4 && memcmp(&bytes[header], "PE\0\0", 4) == 0;
}

int Pad(const char* mode, const char* inPath, const char* sizeText, const char* outPath)
{
    uint32_t size = 0;
    if (!ParseSize(sizeText, size)) {
        fprintf(stderr, "package: bad size '%s'\n", sizeText);
        return 1;
    }
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile("package", inPath, bytes))
        return 1;
    // A stand-in that has outgrown its row would change the table's sizes: stop the build instead.
    if (bytes.size() > size) {
        fprintf(stderr, "package: %s is %zu bytes, more than the %u of its row\n", inPath, bytes.size(), size);
        return 1;
    }
    if (strcmp(mode, "pe") == 0) {
        if (!IsPeImage(bytes)) {
            fprintf(stderr, "package: %s is not a PE image\n", inPath);
            return 1;
        }
        AppendProgramFiller(bytes, size);
    } else if (strcmp(mode, "html") == 0) {
        if (!AppendHtmlFiller(bytes, size)) {
            fprintf(stderr, "package: %s leaves too little room for a comment before %u bytes\n", inPath, size);
            return 1;
        }
    } else {
        fputs(usage, stderr);
        return 2;
    }
    return WriteFile(outPath, bytes.data(), bytes.size()) ? 0 : 1;
}

struct MemorySink {
    const unsigned char* expected;
    uint32_t left;
};

// Compares as it goes: the check needs no second buffer.
bool MatchExpected(void* context, const unsigned char* bytes, uint32_t count)
{
    MemorySink* sink = static_cast<MemorySink*>(context);
    if (count > sink->left || memcmp(sink->expected, bytes, count) != 0)
        return false;
    sink->expected += count;
    sink->left -= count;
    return true;
}

bool PackRow(const TableRow& row, const std::string& stage, const std::string& packedDir, PackedRow& packed)
{
    std::vector<unsigned char> plain;
    if (!ReadWholeFile("package", (stage + "/" + row.source).c_str(), plain))
        return false;
    packed.size = uint32_t(plain.size());
    packed.checksum = PayloadChecksum(0, plain.data(), packed.size);
    if (row.stored) {
        packed.packedSize = 0;
        packed.resourcePath = packedDir + "/" + row.resourceName + ".stored";
        return WriteFile(packed.resourcePath, plain.data(), plain.size());
    }
    // The decoder produces at least one symbol before it tests the count: an empty file cannot be packed.
    if (plain.empty()) {
        fprintf(stderr, "package: %s is empty; an empty file can only be stored\n", row.source.c_str());
        return false;
    }
    std::vector<unsigned char> stream = EncodeLzhuf(plain.data(), packed.size);
    // setup.exe ships what this step packs: a stream that does not decode back must never reach a resource.
    MemorySink sink = {plain.data(), packed.size};
    Destination check = {MatchExpected, &sink};
    if (!DecodeStream(stream.data(), uint32_t(stream.size()), packed.size, check) || sink.left != 0) {
        fprintf(stderr, "package: internal error: %s does not decode back to its bytes\n", row.source.c_str());
        return false;
    }
    packed.packedSize = uint32_t(stream.size());
    packed.resourcePath = packedDir + "/" + row.resourceName + ".lz";
    return WriteFile(packed.resourcePath, stream.data(), stream.size());
}

int Pack(const char* tablePath, const std::string& stage, const std::string& packedDir, const std::string& generated)
{
    // The paths go into a resource script between double quotes.
    if (packedDir.find('"') != std::string::npos) {
        fprintf(stderr, "package: the folder %s holds a double quote\n", packedDir.c_str());
        return 1;
    }
    std::vector<unsigned char> tableBytes;
    if (!ReadWholeFile("package", tablePath, tableBytes))
        return 1;
    std::vector<TableRow> rows;
    std::string error;
    if (!ParseFileTable(std::string(tableBytes.begin(), tableBytes.end()), rows, error)) {
        fprintf(stderr, "%s: %s\n", tablePath, error.c_str());
        return 1;
    }
    std::vector<PackedRow> packed(rows.size());
    for (size_t i = 0; i < rows.size(); i++) {
        if (!PackRow(rows[i], stage, packedDir, packed[i]))
            return 1;
        if (packed[i].packedSize == 0)
            printf("%-10s %7u stored\n", rows[i].resourceName.c_str(), packed[i].size);
        else
            printf("%-10s %7u packed %7u (%.1f%%)\n", rows[i].resourceName.c_str(), packed[i].size,
                   packed[i].packedSize, 100.0 * packed[i].packedSize / packed[i].size);
    }
    bool ok = WriteText(generated + "/file_table.inc", FileTableSource(rows, packed)) &&
              WriteText(generated + "/file_checksums.inc", ChecksumSource(rows, packed)) &&
              WriteText(generated + "/payload.rc", ResourceScript(rows, packed));
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* command = argc > 1 ? argv[1] : "";
    if (strcmp(command, "pad") == 0 && argc == 6)
        return Pad(argv[2], argv[3], argv[4], argv[5]);
    if (strcmp(command, "pack") == 0 && argc == 6)
        return Pack(argv[2], argv[3], argv[4], argv[5]);
    fputs(usage, stderr);
    return 2;
}
