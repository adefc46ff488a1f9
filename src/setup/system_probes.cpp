// Probes of the system made once at start: Windows version class, rights, files in use, earlier folder.
#include "setup/system_probes.h"

#include <windows.h>

#include "setup/install_manifest.h"
#include "setup/manifest_rules.h"
#include "setup/setup_state.h"
#include "util/path_text.h"

const char programsKeyPath[] = "Software\\Zorva\\Programs";

uint8_t GetOsClass()
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return 0;
    if (version.dwMajorVersion == 5)
        return version.dwMinorVersion == 1 ? 2 : 1;
    if (version.dwMajorVersion == 6)
        return version.dwMinorVersion == 0 ? 3 : 1;
    return 1;
}

bool ReadEarlierInstallDir(char* buffer, unsigned size)
{
    buffer[0] = '\0';
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, programsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD length = size;
    LONG status = RegQueryValueExA(key, installManifest.productName, nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(buffer), &length);
    RegCloseKey(key);
    // The value's data need not end in a terminator: terminate what fits, and refuse
    // data that fill the whole buffer without one rather than cut the folder short.
    if (status != ERROR_SUCCESS || (length >= size && buffer[size - 1] != '\0')) {
        buffer[0] = '\0';
        return false;
    }
    buffer[length < size ? length : size - 1] = '\0';
    return true;
}

void ProbeAdminRights()
{
    char testKeyPath[64];
    JoinPath(testKeyPath, sizeof testKeyPath, programsKeyPath, "ZORVA-TEST", false);
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, testKeyPath, 0, const_cast<char*>(""),
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS) {
        setupState.notAdmin = 1;
        return;
    }
    RegCloseKey(key);
    HKEY programs;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, programsKeyPath, 0, KEY_ALL_ACCESS, &programs) != ERROR_SUCCESS)
        return;
    RegDeleteKeyA(programs, "ZORVA-TEST");
    RegCloseKey(programs);
}

void ProbeFilesInUse()
{
    uint8_t osClass = GetOsClass();
    for (uint16_t row = 0; row < installManifest.fileCount; row++) {
        const FileEntry& entry = installManifest.entries[row];
        if (!IsRowSelected(entry, osClass))
            continue;
        char path[PathBufferSize];
        if (!DestinationPath(path, sizeof path, entry))
            continue;
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            continue;
        }
        if (GetLastError() == ERROR_SHARING_VIOLATION) {
            setupState.filesInUse = 1;
            return;
        }
    }
}

void InitSetupState()
{
    if (!ReadEarlierInstallDir(installManifest.installDir, sizeof installManifest.installDir)) {
        JoinPath(installManifest.installDir, sizeof installManifest.installDir, "C:\\Program Files\\Zorva\\",
                 installManifest.productName, false);
    }
    GetWindowsDirectoryA(installManifest.windowsDir, sizeof installManifest.windowsDir);
    TitleCaseWords(installManifest.windowsDir);
    GetSystemDirectoryA(installManifest.systemDir, sizeof installManifest.systemDir);
    TitleCaseWords(installManifest.systemDir);
    ProbeAdminRights();
    ProbeFilesInUse();
}
