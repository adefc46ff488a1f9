// Start-up probes on Wine's real registry and file system: earlier folder, rights, files in use, OsClass.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600  // RegDeleteTreeA, for cleaning up after the tests
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "scratch_folder.h"
#include "setup/install_manifest.h"
#include "setup/manifest_rules.h"
#include "setup/setup_state.h"
#include "setup/system_probes.h"
#include "util/bounded_text.h"

namespace {

const char* const zorvaKey = "Software\\Zorva";

void DeleteZorvaKey()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, zorvaKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, zorvaKey);
}

void SetEarlierFolder(const void* data, DWORD size, DWORD type)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, programsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Velmondo", 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}

bool KeyExists(const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

struct Probes : testing::Test {
    void SetUp() override
    {
        DeleteZorvaKey();
        savedManifest = installManifest;
        setupState = SetupState{};
    }
    void TearDown() override
    {
        DeleteZorvaKey();
        installManifest = savedManifest;
        setupState = SetupState{};
    }
    InstallManifest savedManifest;
};

}  // namespace

TEST_F(Probes, EarlierInstallDirIsReadOnlyWhenItFitsTerminated)
{
    char buffer[260];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(ReadEarlierInstallDir(buffer, sizeof buffer)) << "no key";
    EXPECT_STREQ("", buffer);

    SetEarlierFolder("D:\\Apps\\Velmondo", 17, REG_SZ);
    EXPECT_TRUE(ReadEarlierInstallDir(buffer, sizeof buffer));
    EXPECT_STREQ("D:\\Apps\\Velmondo", buffer);

    // Data without a terminator are ended where they end.
    memset(buffer, 'x', sizeof buffer);
    SetEarlierFolder("E:\\Velmondo", 11, REG_BINARY);
    EXPECT_TRUE(ReadEarlierInstallDir(buffer, sizeof buffer));
    EXPECT_STREQ("E:\\Velmondo", buffer);

    // 259 characters and the terminator fill the buffer exactly.
    std::string longest = "C:\\" + std::string(256, 'v');
    SetEarlierFolder(longest.c_str(), 260, REG_SZ);
    EXPECT_TRUE(ReadEarlierInstallDir(buffer, sizeof buffer));
    EXPECT_EQ(longest, buffer);

    // 260 bytes with no terminator, or more than the buffer holds: the default is used.
    std::string unterminated(260, 'u');
    SetEarlierFolder(unterminated.data(), 260, REG_BINARY);
    EXPECT_FALSE(ReadEarlierInstallDir(buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    std::string tooLong = "C:\\" + std::string(300, 'w');
    SetEarlierFolder(tooLong.c_str(), tooLong.size() + 1, REG_SZ);
    EXPECT_FALSE(ReadEarlierInstallDir(buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
}

TEST_F(Probes, InitSetupStateProposesTheEarlierOrTheDefaultFolder)
{
    InitSetupState();
    EXPECT_STREQ("C:\\Program Files\\Zorva\\Velmondo", installManifest.installDir);
    EXPECT_STREQ("C:\\Windows", installManifest.windowsDir);
    EXPECT_EQ(0, strncmp("C:\\Windows\\System32", installManifest.systemDir, 19)) << installManifest.systemDir;

    SetEarlierFolder("D:\\Apps\\Velmondo", 17, REG_SZ);
    InitSetupState();
    EXPECT_STREQ("D:\\Apps\\Velmondo", installManifest.installDir);
}

TEST_F(Probes, AdminRightsProbeLeavesNoTestKey)
{
    ProbeAdminRights();
    EXPECT_EQ(0, setupState.notAdmin);
    EXPECT_TRUE(KeyExists(programsKeyPath));
    EXPECT_FALSE(KeyExists("Software\\Zorva\\Programs\\ZORVA-TEST"));
}

TEST_F(Probes, AdminRightsProbeFailsUnderAVolatileKey)
{
    // A non-volatile key cannot be created below a volatile one (ERROR_CHILD_MUST_BE_VOLATILE),
    // which is how a user without rights sees the machine-wide registry.
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, zorvaKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &key, nullptr));
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, programsKeyPath, 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegCloseKey(key);
    ProbeAdminRights();
    EXPECT_EQ(1, setupState.notAdmin);
    EXPECT_FALSE(KeyExists("Software\\Zorva\\Programs\\ZORVA-TEST"));
}

namespace {

struct FilesInUse : Probes {
    void SetUp() override
    {
        Probes::SetUp();
        root = MakeScratchFolder("files-in-use");
        for (const char* folder : {"\\Install", "\\Windows", "\\System"})
            CreateDirectoryA((root + folder).c_str(), nullptr);
        CopyText(installManifest.installDir, 260, (root + "\\Install").c_str());
        CopyText(installManifest.windowsDir, 260, (root + "\\Windows").c_str());
        CopyText(installManifest.systemDir, 260, (root + "\\System").c_str());
    }
    void TearDown() override
    {
        RemoveTree(root);
        Probes::TearDown();
    }
    std::string root;
};

}  // namespace

TEST_F(FilesInUse, AFileHeldOpenWithoutSharingSetsTheFlagWhicheverRowItIs)
{
    uint8_t osClass = GetOsClass();
    for (unsigned row = 0; row < installManifest.fileCount; row++) {
        const FileEntry& entry = installManifest.entries[row];
        if (!IsRowSelected(entry, osClass))
            continue;
        char path[260];
        ASSERT_TRUE(DestinationPath(path, sizeof path, entry));
        HANDLE held = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held) << path;
        setupState.filesInUse = 0;
        ProbeFilesInUse();
        EXPECT_EQ(1, setupState.filesInUse) << "row " << row << ": " << path;
        CloseHandle(held);
        DeleteFileA(path);
    }
}

TEST_F(FilesInUse, FilesNotHeldAndMissingFilesLeaveTheFlagClear)
{
    ProbeFilesInUse();
    EXPECT_EQ(0, setupState.filesInUse) << "first installation";

    char path[260];
    ASSERT_TRUE(DestinationPath(path, sizeof path, installManifest.entries[4]));
    WriteFileText(path, "earlier help file");
    ProbeFilesInUse();
    EXPECT_EQ(0, setupState.filesInUse);
    // The probe opens existing files but never changes them.
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(path, GetFileExInfoStandard, &data));
    EXPECT_EQ(17u, data.nFileSizeLow);
}

TEST(OsClass, FollowsTheWindowsVersionWineReports)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string probe = self;
    probe = probe.substr(0, probe.rfind('\\')) + "\\osclass_probe.exe";
    const char* const appDefaults = "Software\\Wine\\AppDefaults\\osclass_probe.exe";
    const struct {
        const char* version;
        DWORD osClass;
    } cases[] = {{"win98", 0}, {"win2k", 1}, {"winxp", 2}, {"win2003", 1}, {"vista", 3}, {"win7", 1}};
    for (const auto& c : cases) {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, appDefaults, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                 &key, nullptr));
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.version), strlen(c.version) + 1);
        RegCloseKey(key);

        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process;
        std::string command = "\"" + probe + "\"";
        ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        WaitForSingleObject(process.hProcess, 30000);
        DWORD code = 99;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        EXPECT_EQ(c.osClass, code) << c.version;
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, appDefaults);
    RegDeleteKeyA(HKEY_CURRENT_USER, appDefaults);
}
