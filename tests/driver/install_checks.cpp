// What a finished installation leaves on the machine, read back independently of setup's own code.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600  // QueryFullProcessImageNameA
#include "driver/install_checks.h"

#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "driver/driver.h"

namespace {

enum Folder { InstallFolder, WindowsFolder, SystemFolder };

struct ExpectedFile {
    Folder folder;
    const char* name;
    const char* standIn98;  // as the payload step names what it packed
    const char* standInXP;
};

const ExpectedFile files[] = {
    {WindowsFolder, "QXTCleanup.exe", "cleanup_98.exe", "cleanup_xp.exe"},
    {InstallFolder, "Velmondo.exe", "velmondo_98.exe", "velmondo_xp.exe"},
    {InstallFolder, "Velmondo.chm", "velmondo.chm", "velmondo.chm"},
    {InstallFolder, "Renovix.exe", "renovix.exe", "renovix.exe"},
    {InstallFolder, "Go Zorva.url", "go_zorva.url", "go_zorva.url"},
    {InstallFolder, "Pricing.txt", "pricing.txt", "pricing.txt"},
    {InstallFolder, "Account.txt", "account.txt", "account.txt"},
    {SystemFolder, "QTXCtxMenu.dll", "qtx_ctx_menu.dll", "qtx_ctx_menu.dll"},
};

enum Place { Programs, Desktop };

struct ExpectedShortcut {
    Place place;
    const char* link;
    Folder folder;  // of the target, and the working folder
    const char* target;
    const char* description;
};

const ExpectedShortcut shortcuts[] = {
    {Programs, "ZORVA\\Velmondo\\Remove.lnk", WindowsFolder, "QXTCleanup.exe", "Remove"},
    {Programs, "ZORVA\\Velmondo\\Velmondo.lnk", InstallFolder, "Velmondo.exe", "Velmondo"},
    {Programs, "ZORVA\\Velmondo\\Help.lnk", InstallFolder, "Velmondo.chm", "Help"},
    {Programs, "ZORVA\\Velmondo\\Update.lnk", InstallFolder, "Renovix.exe", "Update"},
    {Programs, "ZORVA\\Velmondo\\Go Zorva.lnk", InstallFolder, "Go Zorva.url", "Go Zorva"},
    {Desktop, "Velmondo.lnk", InstallFolder, "Velmondo.exe", "Velmondo"},
};

const char staticKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\FindExtensions\\Static";
const char productClsid[] = "{5B0E7A31-9C4D-4F62-8A17-2D6C3E9F0B48}";

struct ExpectedValue {
    HKEY root;
    std::string key;
    const char* name;  // "" is the key's default value
    std::string data;
};

std::string WindowsDir()
{
    char path[MAX_PATH];
    GetWindowsDirectoryA(path, sizeof path);
    return path;
}

std::string SystemDir()
{
    char path[MAX_PATH];
    GetSystemDirectoryA(path, sizeof path);
    return path;
}

std::string FolderPath(const Installation& installation, Folder folder)
{
    switch (folder) {
    case InstallFolder: return installation.installDir;
    case WindowsFolder: return WindowsDir();
    case SystemFolder: return SystemDir();
    }
    return "";
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        Fail("the shell cannot locate special folder %d", csidl);
    return path;
}

std::string ShortcutPath(ShortcutScope scope, const ExpectedShortcut& shortcut)
{
    int csidl = shortcut.place == Programs ? (scope == AllUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS)
                                           : (scope == AllUsers ? CSIDL_COMMON_DESKTOPDIRECTORY
                                                                : CSIDL_DESKTOPDIRECTORY);
    return ShellFolder(csidl) + "\\" + shortcut.link;
}

FILETIME ManifestTimeInUtc()
{
    SYSTEMTIME local = {2007, 10, 3, 10, 5, 0, 0, 0};
    SYSTEMTIME utc;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc))
        Fail("cannot convert the manifest's time to UTC");
    // In UTC itself a file pass that forgot the conversion would pass unseen.
    EXPECT_THAT(utc.wHour != local.wHour, "the driver runs in UTC; run it with TZ=Etc/GMT-3 (tests/wine-env.sh)");
    FILETIME stamp;
    SystemTimeToFileTime(&utc, &stamp);
    return stamp;
}

std::string TimeText(const FILETIME& time)
{
    SYSTEMTIME t;
    FileTimeToSystemTime(&time, &t);
    char text[40];
    snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u UTC", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
             t.wSecond);
    return text;
}

struct LinkFields {
    std::string target, workingFolder, description;
};

bool ReadShortcut(const std::string& path, LinkFields& fields)
{
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        Fail("cannot create a shell link object to read %s", path.c_str());
    IPersistFile* file = nullptr;
    bool loaded = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        loaded = SUCCEEDED(file->Load(wide, STGM_READ));
        file->Release();
    }
    if (loaded) {
        char text[MAX_PATH] = "";
        link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
        fields.target = text;
        text[0] = '\0';
        link->GetWorkingDirectory(text, sizeof text);
        fields.workingFolder = text;
        text[0] = '\0';
        link->GetDescription(text, sizeof text);
        fields.description = text;
    }
    link->Release();
    return loaded;
}

std::vector<ExpectedValue> ExpectedValues(const std::string& install)
{
    HKEY const lm = HKEY_LOCAL_MACHINE;
    HKEY const cr = HKEY_CLASSES_ROOT;
    const std::string uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmondo";
    const std::string clsid = std::string("CLSID\\") + productClsid;
    const std::string search = std::string(staticKey) + "\\Velmondo";
    const std::string program = install + "\\Velmondo.exe";
    const std::string command = "\"" + program + "\" /DDE";
    const std::string server = SystemDir() + "\\QTXCtxMenu.dll";
    std::vector<ExpectedValue> values = {
        {lm, "Software\\Zorva\\Programs", "Velmondo", install},
        {lm, "Software\\Zorva\\Programs\\Velmondo", "Version", "5.00"},
        {lm, uninstall, "DisplayName", "Velmondo"},
        {lm, uninstall, "DisplayVersion", "v5.00"},
        {lm, uninstall, "UninstallString", WindowsDir() + "\\QXTCleanup.exe"},
        {lm, uninstall, "Program Path", install},
        {lm, uninstall, "Program Group", "ZORVA\\Velmondo"},
        {lm, uninstall, "Publisher", "ZORVA"},
        {lm, uninstall, "HelpLink", "http://zorva.example/support.html"},
        {cr, clsid, "", "Velmondo"},
        {cr, clsid + "\\InProcServer32", "", server},
        {cr, clsid + "\\InProcServer32", "ThreadingModel", "Apartment"},
        {lm, search, "", productClsid},
        {lm, search + "\\0", "", "&Velmondo Search..."},
        {lm, search + "\\0\\DefaultIcon", "", server + ",0"},
    };
    const struct {
        const char* folderClass;
        const char* ddeCommand;
    } folderVerbs[] = {{"Drive", "SearchDrive"}, {"Directory", "SearchPath"}};
    for (const auto& folderVerb : folderVerbs) {
        const std::string verb = std::string(folderVerb.folderClass) + "\\shell\\find";
        const std::string dde = std::string("[") + folderVerb.ddeCommand + "(\"%1\")]";
        values.push_back({cr, verb + "\\command", "", command});
        values.push_back({cr, verb + "\\ddeexec", "", dde});
        values.push_back({cr, verb + "\\ddeexec\\application", "", "Velmondo"});
        values.push_back({cr, verb + "\\ddeexec\\topic", "", "Search"});
    }
    const std::vector<ExpectedValue> fileType = {
        {cr, ".z_vlm", "", "z_vlmFile"},
        {cr, "z_vlmFile", "", "Velmondo Project File"},
        {cr, "z_vlmFile\\DefaultIcon", "", "\"" + program + "\",0"},
        {cr, "z_vlmFile\\shell\\open\\command", "", command},
        {cr, "z_vlmFile\\shell\\open\\ddeexec", "", "[OpenProject(\"%1\")]"},
        {cr, "z_vlmFile\\shell\\open\\ddeexec\\application", "", "Velmondo"},
        {cr, "z_vlmFile\\shell\\open\\ddeexec\\topic", "", "Search"},
    };
    values.insert(values.end(), fileType.begin(), fileType.end());
    return values;
}

std::string KeyName(const ExpectedValue& value)
{
    return std::string(value.root == HKEY_CLASSES_ROOT ? "HKCR\\" : "HKLM\\") + value.key;
}

}  // namespace

bool SamePath(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::string InstalledFile(const Installation& installation, const char* name)
{
    for (const auto& file : files) {
        if (strcmp(file.name, name) == 0)
            return FolderPath(installation, file.folder) + "\\" + name;
    }
    Fail("%s is not a file setup installs", name);
}

std::string PackedStandIn(ProgramBuild build, const char* installedName)
{
    for (const auto& file : files) {
        if (strcmp(file.name, installedName) == 0)
            return ReadWholeFile(BuildFolder() + "\\payload\\files\\"
                                 + (build == Build98 ? file.standIn98 : file.standInXP));
    }
    Fail("%s is not a file setup installs", installedName);
}

ProgramBuild InstalledBuild(const Installation& installation)
{
    // By size, without reading: a read would move the access time that the checks compare.
    WIN32_FILE_ATTRIBUTE_DATA data;
    const std::string program = InstalledFile(installation, "Velmondo.exe");
    EXPECT_THAT(GetFileAttributesExA(program.c_str(), GetFileExInfoStandard, &data), "%s is missing", program.c_str());
    return data.nFileSizeLow == PackedStandIn(BuildXP, "Velmondo.exe").size() ? BuildXP : Build98;
}

bool PathIsFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathIsFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWholeFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        Fail("cannot read %s (error %lu)", path.c_str(), GetLastError());
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    bool complete = bytes.empty() || (ReadFile(file, &bytes[0], bytes.size(), &read, nullptr) && read == bytes.size());
    CloseHandle(file);
    EXPECT_THAT(complete, "cannot read all of %s", path.c_str());
    return bytes;
}

void ExpectInstalledFiles(const Installation& installation, Listing listing)
{
    const FILETIME stamp = ManifestTimeInUtc();
    for (const auto& file : files) {
        const std::string path = FolderPath(installation, file.folder) + "\\" + file.name;
        // Times first: reading the file could move its access time.
        WIN32_FILE_ATTRIBUTE_DATA data;
        EXPECT_THAT(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data), "%s is missing", path.c_str());
        EXPECT_THAT(!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY), "%s is a folder", path.c_str());
        const struct {
            const char* name;
            FILETIME time;
        } times[] = {{"creation", data.ftCreationTime},
                     {"access", data.ftLastAccessTime},
                     {"write", data.ftLastWriteTime}};
        for (const auto& time : times)
            EXPECT_THAT(CompareFileTime(&time.time, &stamp) == 0, "%s: %s time %s, expected %s", path.c_str(),
                        time.name, TimeText(time.time).c_str(), TimeText(stamp).c_str());
        const std::string installed = ReadWholeFile(path);
        const std::string packed = PackedStandIn(installation.build, file.name);
        EXPECT_THAT(installed == packed, "%s (%u bytes) differs from the %s stand-in (%u bytes)", path.c_str(),
                    unsigned(installed.size()), installation.build == Build98 ? "98" : "XP", unsigned(packed.size()));
        if (listing == Listed)
            printf("  %-52s %7u bytes  %s\n", path.c_str(), unsigned(installed.size()), TimeText(stamp).c_str());
    }
}

void ExpectShortcuts(const Installation& installation, Listing listing)
{
    HRESULT com = CoInitialize(nullptr);
    for (const auto& shortcut : shortcuts) {
        const std::string path = ShortcutPath(installation.scope, shortcut);
        LinkFields fields;
        EXPECT_THAT(ReadShortcut(path, fields), "shortcut %s is missing or unreadable", path.c_str());
        const std::string folder = FolderPath(installation, shortcut.folder);
        const std::string target = folder + "\\" + shortcut.target;
        EXPECT_THAT(SamePath(fields.target, target), "%s points to \"%s\", expected \"%s\"", path.c_str(),
                    fields.target.c_str(), target.c_str());
        EXPECT_THAT(SamePath(fields.workingFolder, folder), "%s starts in \"%s\", expected \"%s\"", path.c_str(),
                    fields.workingFolder.c_str(), folder.c_str());
        EXPECT_THAT(fields.description == shortcut.description, "%s is described \"%s\", expected \"%s\"",
                    path.c_str(), fields.description.c_str(), shortcut.description);
        const std::string other = ShortcutPath(installation.scope == AllUsers ? CurrentUser : AllUsers, shortcut);
        EXPECT_THAT(!PathIsFile(other), "%s exists: the shortcut went to the other scope too", other.c_str());
        if (listing == Listed)
            printf("  %s\n      -> %s (in %s)\n", path.c_str(), fields.target.c_str(), fields.workingFolder.c_str());
    }
    if (SUCCEEDED(com))
        CoUninitialize();
}

void ExpectNoShortcuts()
{
    for (ShortcutScope scope : {CurrentUser, AllUsers}) {
        for (const auto& shortcut : shortcuts) {
            const std::string path = ShortcutPath(scope, shortcut);
            EXPECT_THAT(!PathIsFile(path), "shortcut %s exists", path.c_str());
        }
        const std::string group = ShellFolder(scope == AllUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS) + "\\ZORVA";
        EXPECT_THAT(!PathIsFolder(group), "the program group %s exists", group.c_str());
    }
}

void ExpectRegistryEntries(const Installation& installation, Listing listing)
{
    std::string lastKey;
    for (const auto& value : ExpectedValues(installation.installDir)) {
        HKEY key;
        EXPECT_THAT(RegOpenKeyExA(value.root, value.key.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS,
                    "registry key %s is missing", KeyName(value).c_str());
        char data[1024];
        DWORD size = sizeof data;
        DWORD type = REG_NONE;
        LONG status = RegQueryValueExA(key, value.name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        EXPECT_THAT(status == ERROR_SUCCESS, "%s has no value [%s]", KeyName(value).c_str(), value.name);
        EXPECT_THAT(type == REG_SZ, "%s [%s] is of type %lu, not REG_SZ", KeyName(value).c_str(), value.name, type);
        // The stored size counts the terminator: without it a reader gets the text unterminated.
        EXPECT_THAT(size == value.data.size() + 1 && data[size - 1] == '\0', "%s [%s] stores %lu bytes for \"%s\"",
                    KeyName(value).c_str(), value.name, size, value.data.c_str());
        const std::string found(data, size - 1);
        EXPECT_THAT(SamePath(found, value.data), "%s [%s] is \"%s\", expected \"%s\"", KeyName(value).c_str(),
                    value.name, found.c_str(), value.data.c_str());
        if (listing == Listed) {
            if (KeyName(value) != lastKey)
                printf("  %s\n", KeyName(value).c_str());
            printf("      %-16s = %s\n", value.name[0] != '\0' ? value.name : "(default)", found.c_str());
            lastKey = KeyName(value);
        }
    }
}

void ExpectNoRegistryEntries(const Installation& installation)
{
    for (const auto& value : ExpectedValues(installation.installDir)) {
        HKEY key;
        if (RegOpenKeyExA(value.root, value.key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        LONG status = RegQueryValueExA(key, value.name, nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
        EXPECT_THAT(status != ERROR_SUCCESS, "%s [%s] was written", KeyName(value).c_str(), value.name);
    }
}

// The first level of the Static key's path that the driver created, to be taken away again.
static std::string createdSearchKey;

static void RemoveCreatedSearchKey()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, createdSearchKey.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, createdSearchKey.c_str());
}

void EnsureSearchExtensionsKey()
{
    if (!createdSearchKey.empty())
        return;
    const std::string path = staticKey;
    for (size_t end = path.find('\\'); createdSearchKey.empty(); end = path.find('\\', end + 1)) {
        const std::string level = path.substr(0, end);
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, level.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS)
            RegCloseKey(key);
        else
            createdSearchKey = level;
        if (end == std::string::npos)
            break;
    }
    if (createdSearchKey.empty())
        return;  // the machine has the key, as Windows XP does
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, staticKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        Fail("cannot create HKLM\\%s", staticKey);
    RegCloseKey(key);
    // Other tests rely on the prefix as Wine makes it, without the key: it goes when the driver ends.
    atexit(RemoveCreatedSearchKey);
}

HWND FindProductWindow()
{
    return FindWindowA("VelmondoMain", "Velmondo");
}

bool ProductIsRunning()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        Fail("cannot list the running processes");
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !running; more = Process32Next(snapshot, &entry))
        running = lstrcmpiA(entry.szExeFile, "Velmondo.exe") == 0;
    CloseHandle(snapshot);
    return running;
}

std::string ProductImagePath(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    char path[MAX_PATH] = "";
    DWORD size = sizeof path;
    if (process == nullptr || !QueryFullProcessImageNameA(process, 0, path, &size))
        Fail("cannot read which program made the window \"Velmondo\"");
    CloseHandle(process);
    return path;
}

void CloseProduct(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageA(window, WM_CLOSE, 0, 0);
    bool ended = process != nullptr && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    if (process != nullptr)
        CloseHandle(process);
    EXPECT_THAT(ended, "the product did not end on WM_CLOSE");
}
