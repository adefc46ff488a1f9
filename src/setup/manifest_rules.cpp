// The rules over the file table that several passes share: variant, destination, shortcut folder.
#include "setup/manifest_rules.h"

#include "util/path_text.h"

uint16_t VariantMask(uint8_t osClass)
{
    return osClass <= 1 ? Variant98 : VariantXP;
}

bool IsRowSelected(const FileEntry& entry, uint8_t osClass)
{
    return (entry.flags & VariantMask(osClass)) != 0;
}

const char* DestinationFolder(const FileEntry& entry)
{
    if (entry.flags & ToWindowsDir)
        return installManifest.windowsDir;
    if (entry.flags & ToSystemDir)
        return installManifest.systemDir;
    return installManifest.installDir;
}

const char* ShortcutFolder(const FileEntry& entry)
{
    return (entry.flags & LinkToInstallDir) ? installManifest.installDir : installManifest.windowsDir;
}

bool DestinationPath(char* out, unsigned outSize, const FileEntry& entry)
{
    return JoinPath(out, outSize, DestinationFolder(entry), entry.fileName, false);
}

uint32_t SelectedBytes(uint8_t osClass)
{
    uint32_t total = 0;
    for (uint16_t row = 0; row < installManifest.fileCount; row++) {
        if (IsRowSelected(installManifest.entries[row], osClass))
            total += installManifest.entries[row].size;
    }
    return total;
}
