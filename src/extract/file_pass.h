// The file installation pass: writes every payload file of the running Windows variant into its folder.
#pragma once

#include <windows.h>

#include <stdint.h>

#include "setup/install_manifest.h"

// Writes the rows of the running variant; false, after telling the user, at the first file that
// cannot be made complete (not created, not fully written, or not the bytes that were packed).
bool InstallFiles(HWND page);

// InstallFiles for the rows that share a bit with variantMask (Variant98 or VariantXP).
bool InstallVariantFiles(HWND page, uint16_t variantMask);

// Writes one row's payload bytes to the open file, decoding a packed row, in one write for a stored
// one; true only when every byte was written and they match the checksum the packaging step recorded.
bool WritePayload(HANDLE file, const FileEntry& entry, const unsigned char* payload, uint32_t checksum);
