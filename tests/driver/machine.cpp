// What setup leaves on the machine: the driver clears it before a scenario, checks it after, and makes faults.
#include "driver/machine.h"

#include <shlobj.h>

#include <cstring>

#include "driver/driver.h"

const char defaultInstallDir[] = "C:\\Program Files\\Zorva\\Velmondo";

static const char programsKey[] = "Software\\Zorva\\Programs";

static const struct {
    HKEY root;
    const char* key;
    const char* value;  // null: the key itself
} registryEntries[] = {
    {HKEY_LOCAL_MACHINE, programsKey, "Velmondo"},
    {HKEY_LOCAL_MACHINE, "Software\\Zorva\\Programs\\Velmondo", nullptr},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmondo", nullptr},
    {HKEY_CLASSES_ROOT, ".z_vlm", nullptr},
    {HKEY_CLASSES_ROOT, "z_vlmFile", nullptr},
    {HKEY_CLASSES_ROOT, "Drive\\shell\\find", nullptr},
    {HKEY_CLASSES_ROOT, "Directory\\shell\\find", nullptr},
    {HKEY_CLASSES_ROOT, "CLSID\\{5B0E7A31-9C4D-4F62-8A17-2D6C3E9F0B48}", nullptr},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\FindExtensions\\Static\\Velmondo",
     nullptr},
};

static std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)))
        Fail("the shell cannot locate special folder %d", csidl);
    return path;
}

// Folders and files an installation creates outside the install folder.
static std::string InstalledPaths(int index)
{
    char windows[MAX_PATH], system[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    GetSystemDirectoryA(system, sizeof system);
    switch (index) {
    case 0: return defaultInstallDir;
    case 1: return std::string(windows) + "\\QXTCleanup.exe";
    case 2: return std::string(system) + "\\QTXCtxMenu.dll";
    case 3: return SpecialFolder(CSIDL_PROGRAMS) + "\\ZORVA";
    case 4: return SpecialFolder(CSIDL_COMMON_PROGRAMS) + "\\ZORVA";
    case 5: return SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Velmondo.lnk";
    case 6: return SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\Velmondo.lnk";
    }
    return "";
}

static bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemovePath(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (strcmp(entry.cFileName, ".") != 0 && strcmp(entry.cFileName, "..") != 0)
                    RemovePath(path + "\\" + entry.cFileName);
            } while (FindNextFileA(search, &entry));
            FindClose(search);
        }
        RemoveDirectoryA(path.c_str());
    } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    if (Exists(path))
        Fail("cannot remove %s", path.c_str());
}

static void DeleteKeyTree(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char child[256];
    while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS)
        DeleteKeyTree(root, path + "\\" + child);
    RegCloseKey(key);
    RegDeleteKeyA(root, path.c_str());
}

static bool RegistryEntryExists(HKEY root, const char* path, const char* value)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    bool found = value == nullptr || RegQueryValueExA(key, value, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

void ForgetInstallation()
{
    // The whole key goes: a scenario that failed may have left it volatile, which
    // would refuse setup's keys as if the user had no administrative rights.
    DeleteKeyTree(HKEY_LOCAL_MACHINE, programsKey);
    for (int index = 0; !InstalledPaths(index).empty(); index++)
        RemovePath(InstalledPaths(index));
    for (const auto& entry : registryEntries) {
        if (entry.value == nullptr) {
            DeleteKeyTree(entry.root, entry.key);
            continue;
        }
        HKEY key;
        if (RegOpenKeyExA(entry.root, entry.key, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, entry.value);
            RegCloseKey(key);
        }
    }
}

void ExpectNothingInstalled()
{
    for (int index = 0; !InstalledPaths(index).empty(); index++)
        EXPECT_THAT(!Exists(InstalledPaths(index)), "%s exists", InstalledPaths(index).c_str());
    for (const auto& entry : registryEntries) {
        EXPECT_THAT(!RegistryEntryExists(entry.root, entry.key, entry.value), "registry entry %s%s%s exists",
                    entry.key, entry.value != nullptr ? " value " : "", entry.value != nullptr ? entry.value : "");
    }
}

void CreateFileWithFolders(const std::string& path)
{
    for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        Fail("cannot create %s", path.c_str());
    CloseHandle(file);
}

HANDLE HoldFileOpen(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        Fail("cannot hold %s open", path.c_str());
    return file;
}

static void CreateKey(const char* path, DWORD options)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        Fail("cannot create HKLM\\%s", path);
    RegCloseKey(key);
}

void MakeProgramsKeyVolatile()
{
    // Zorva itself must stay lasting: created volatile along with Programs, it would
    // outlive RestoreProgramsKey and refuse setup's keys in every later scenario.
    DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Zorva");
    CreateKey("Software\\Zorva", REG_OPTION_NON_VOLATILE);
    CreateKey(programsKey, REG_OPTION_VOLATILE);
}

void RestoreProgramsKey()
{
    DeleteKeyTree(HKEY_LOCAL_MACHINE, programsKey);
}
