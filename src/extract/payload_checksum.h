// CRC-32 of payload bytes: the packaging step records one per file table row, the file pass checks it.
#pragma once

#include <stdint.h>

#include "setup/install_manifest.h"

// Continues a CRC-32 (the zip/PNG polynomial) over count more bytes; start a file with 0.
uint32_t PayloadChecksum(uint32_t checksum, const unsigned char* bytes, uint32_t count);

// The checksum of each row's decoded bytes, made by the packaging step beside the file table.
extern const uint32_t payloadChecksums[ManifestRows];
