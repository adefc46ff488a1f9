// The rules over the file table that several passes share: variant, destination, shortcut folder.
#pragma once
#include <cstdint>

#include "setup/install_manifest.h"

// OsClass 0 and 1 install the Variant98 rows, 2 and 3 the VariantXP rows.
uint16_t VariantMask(uint8_t osClass);
bool IsRowSelected(const FileEntry& entry, uint8_t osClass);

// windowsDir for ToWindowsDir, else systemDir for ToSystemDir, else installDir.
const char* DestinationFolder(const FileEntry& entry);

// installDir for LinkToInstallDir, else windowsDir.
const char* ShortcutFolder(const FileEntry& entry);

// The row's destination folder joined with its file name; false when it does not fit.
bool DestinationPath(char* out, unsigned outSize, const FileEntry& entry);

// Sum of the decoded sizes of the rows selected for osClass.
uint32_t SelectedBytes(uint8_t osClass);
