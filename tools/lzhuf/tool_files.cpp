// File and argument helpers the build-time tools share: whole-file reads and size arguments.
#include "tool_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

bool ReadWholeFile(const char* tool, const char* path, std::vector<unsigned char>& bytes)
{
    FILE* file = fopen(path, "rb");
    if (file == nullptr) {
        fprintf(stderr, "%s: cannot open %s: %s\n", tool, path, strerror(errno));
        return false;
    }
    bytes.clear();
    unsigned char block[65536];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) != 0)
        bytes.insert(bytes.end(), block, block + got);
    bool failed = ferror(file) != 0;
    int error = errno;
    fclose(file);
    if (failed) {
        fprintf(stderr, "%s: cannot read %s: %s\n", tool, path, strerror(error));
        return false;
    }
    if (bytes.size() > UINT32_MAX) {
        fprintf(stderr, "%s: %s is larger than 4 GB\n", tool, path);
        return false;
    }
    return true;
}

bool ParseSize(const char* text, uint32_t& size)
{
    if (text[0] < '0' || text[0] > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    unsigned long long value = strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || value > UINT32_MAX)
        return false;
    size = uint32_t(value);
    return true;
}
