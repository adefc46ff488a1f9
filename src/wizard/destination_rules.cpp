// The text rules of the destination check: which folders are refused, why, and what an accepted one becomes.
#include "wizard/destination_rules.h"

#include <cstring>

#include "setup/install_manifest.h"
#include "shell/registry_texts.h"
#include "util/bounded_text.h"
#include "util/path_text.h"

enum { MainProgramRow = 2 };

static char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Only ASCII letters fold: a locale-aware compare would match bytes of the ANSI code
// page differently on each system.
static bool ContainsIgnoringCase(const char* text, const char* word)
{
    size_t wordLength = strlen(word);
    for (const char* start = text; *start != '\0'; start++) {
        size_t matched = 0;
        while (matched < wordLength && start[matched] != '\0'
               && LowerAscii(start[matched]) == LowerAscii(word[matched]))
            matched++;
        if (matched == wordLength)
            return true;
    }
    return false;
}

bool InstallFolderFits(const char* folder)
{
    char path[PathBufferSize];
    for (unsigned row = 0; row < installManifest.fileCount && row < ManifestRows; row++) {
        const FileEntry& entry = installManifest.entries[row];
        if (entry.flags & (ToWindowsDir | ToSystemDir))
            continue;
        if (!JoinPath(path, sizeof path, folder, entry.fileName, false))
            return false;
    }
    // The longest registry value: the drive, folder and project-file verbs start the
    // main program by its quoted path and " /DDE", composed in the registry pass's buffer.
    char command[RegistryTextSize];
    return JoinPath(path, sizeof path, folder, installManifest.entries[MainProgramRow].fileName, false)
        && CommandLineText(command, sizeof command, path);
}

unsigned LongestInstallFolder()
{
    char folder[PathBufferSize];
    unsigned length = 0;
    folder[0] = '\0';
    while (length + 1 < sizeof folder) {
        folder[length] = 'x';
        folder[length + 1] = '\0';
        if (!InstallFolderFits(folder))
            break;
        length++;
    }
    return length;
}

DestinationVerdict CheckDestination(const char* typed, char* folder, size_t folderSize)
{
    if (typed[0] == '\0')
        return DestinationEmpty;
    // The drive letter itself is not examined: "1:\Apps" passes.
    if (typed[1] != ':' || typed[2] != '\\')
        return DestinationNoDrive;
    if (typed[3] == '\0')
        return DestinationRootDrive;
    bool named = ContainsIgnoringCase(typed, installManifest.productName);
    bool built = named ? CopyText(folder, folderSize, typed)
                       : JoinPath(folder, folderSize, typed, installManifest.productName, false);
    if (!built || !InstallFolderFits(folder))
        return DestinationTooLong;
    return DestinationAccepted;
}

bool FormatRefusal(char* out, size_t size, DestinationVerdict verdict)
{
    const char* heading = "Path Invalid!\r\n\r\n";
    switch (verdict) {
    case DestinationEmpty:
        return FormatText(out, size, "%sPath may not be empty!", heading);
    case DestinationNoDrive:
        return FormatText(out, size, "%sMissing : or \\ in drive.", heading);
    case DestinationRootDrive:
        return FormatText(out, size, "%sPath may not be a root drive...", heading);
    case DestinationTooLong:
        return FormatText(out, size, "%sPath may not be longer than %u characters!", heading,
                          LongestInstallFolder());
    case DestinationAccepted:
        break;
    }
    return CopyText(out, size, "");
}
