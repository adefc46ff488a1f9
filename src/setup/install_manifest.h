// The install manifest: the product record, the file table and the run's folder buffers.
#pragma once
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
typedef SYSTEMTIME ManifestTime;
#else
// The host build has no windows.h; this record has SYSTEMTIME's layout so that the
// portable rules and their tests see the same manifest as setup.exe.
struct ManifestTime {
    uint16_t wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
};
#endif
static_assert(sizeof(ManifestTime) == 16, "SYSTEMTIME layout");

enum FileFlags : uint16_t {
    LinkToInstallDir = 0x0001,
    ToWindowsDir = 0x0002,
    ToSystemDir = 0x0004,
    Variant98 = 0x0100,
    VariantXP = 0x0200,
};

struct FileEntry {
    char fileName[20];
    uint16_t flags;
    char resourceName[20];
    char shortcutName[22];
    uint32_t size;
    uint32_t packedSize;
};
static_assert(sizeof(FileEntry) == 72, "file table rows are fixed records");

enum { ManifestRows = 10 };

struct InstallManifest {
    char productName[20];
    char version[6];
    char programGroup[40];
    char publisher[10];
    char helpLink[40];
    ManifestTime fileTime;
    FileEntry entries[ManifestRows];
    uint16_t fileCount;
    uint16_t shortcutCount;
    char installDir[260];
    char windowsDir[260];
    char systemDir[260];
};

extern InstallManifest installManifest;
