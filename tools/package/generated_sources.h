// Writes what the build compiles from the packed payload: the file table rows, their checksums and the .rc.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "file_table_text.h"

struct PackedRow {
    uint32_t size;        // decoded length
    uint32_t packedSize;  // 0 for a stored row
    uint32_t checksum;    // of the decoded bytes
    std::string resourcePath;  // absolute path of the bytes the resource holds
};

// The initialiser of entries, fileCount and shortcutCount inside the manifest's braces.
std::string FileTableSource(const std::vector<TableRow>& rows, const std::vector<PackedRow>& packed);

// The initialiser of the checksum array, one value per row.
std::string ChecksumSource(const std::vector<TableRow>& rows, const std::vector<PackedRow>& packed);

// One RCDATA statement per row, naming the resource bytes by absolute path.
std::string ResourceScript(const std::vector<TableRow>& rows, const std::vector<PackedRow>& packed);
