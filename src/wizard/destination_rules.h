// The text rules of the destination check: which folders are refused, why, and what an accepted one becomes.
#pragma once
#include <cstddef>

enum DestinationVerdict {
    DestinationAccepted,
    DestinationEmpty,
    DestinationNoDrive,
    DestinationRootDrive,
    DestinationTooLong,
};

// Decides on the text typed as the install folder. When accepted, folder holds the text as
// typed if the product name occurs anywhere in it (ASCII letters in any case), else the text
// joined with the product name. A folder from which an installed file's path or a registry
// text could not be built whole is refused as too long.
DestinationVerdict CheckDestination(const char* typed, char* folder, size_t folderSize);

// True when every text later built from folder fits its buffer: the path of each file
// installed there (260 bytes) and the registry pass's longest value, the quoted main
// program path followed by " /DDE" (256 bytes).
bool InstallFolderFits(const char* folder);

// The number of characters an install folder (without a trailing backslash) may have.
unsigned LongestInstallFolder();

// "Path Invalid!\r\n\r\n" and the reason for a refused verdict.
bool FormatRefusal(char* out, size_t size, DestinationVerdict verdict);
