// File and argument helpers the build-time tools share: whole-file reads and size arguments.
#pragma once
#include <cstdint>
#include <vector>

// Reads the whole file; on failure says why on standard error, prefixed with tool, and returns false.
bool ReadWholeFile(const char* tool, const char* path, std::vector<unsigned char>& bytes);

// A decimal size of at most 32 bits, digits only.
bool ParseSize(const char* text, uint32_t& size);
