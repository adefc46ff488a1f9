// The registry pass on Wine's real registry: every value read back raw, re-runs, missing keys, long folders.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600  // RegDeleteTreeA and RegCopyTreeA, for setting up and cleaning up
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "setup/install_manifest.h"
#include "shell/registry_pass.h"
#include "util/bounded_text.h"

namespace {

const char* const uninstallPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char* const staticPath = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\FindExtensions\\Static";
const char* const uninstallBackup = "Software\\ZorvaTestUninstallBackup";

// Which key must exist beforehand for a value to be written: the pass opens these, never creates them.
enum Needs { Always, UninstallKey, StaticKey };

struct ExpectedValue {
    Needs needs;
    HKEY root;
    std::string key;
    const char* name;  // "" is the key's default value
    std::string data;
};

std::vector<ExpectedValue> ExpectedValues(const std::string& install, const std::string& windows,
                                          const std::string& system)
{
    HKEY const lm = HKEY_LOCAL_MACHINE;
    HKEY const cr = HKEY_CLASSES_ROOT;
    const std::string uninstall = std::string(uninstallPath) + "\\Velmondo";
    const std::string clsid = "CLSID\\{5B0E7A31-9C4D-4F62-8A17-2D6C3E9F0B48}";
    const std::string search = std::string(staticPath) + "\\Velmondo";
    const std::string command = "\"" + install + "\\Velmondo.exe\" /DDE";
    const std::string server = system + "\\QTXCtxMenu.dll";
    return {
        {Always, lm, "Software\\Zorva\\Programs", "Velmondo", install},
        {Always, lm, "Software\\Zorva\\Programs\\Velmondo", "Version", "5.00"},
        {UninstallKey, lm, uninstall, "DisplayName", "Velmondo"},
        {UninstallKey, lm, uninstall, "DisplayVersion", "v5.00"},
        {UninstallKey, lm, uninstall, "UninstallString", windows + "\\QXTCleanup.exe"},
        {UninstallKey, lm, uninstall, "Program Path", install},
        {UninstallKey, lm, uninstall, "Program Group", "ZORVA\\Velmondo"},
        {UninstallKey, lm, uninstall, "Publisher", "ZORVA"},
        {UninstallKey, lm, uninstall, "HelpLink", installManifest.helpLink},
        {Always, cr, clsid, "", "Velmondo"},
        {Always, cr, clsid + "\\InProcServer32", "", server},
        {Always, cr, clsid + "\\InProcServer32", "ThreadingModel", "Apartment"},
        {StaticKey, lm, search, "", "{5B0E7A31-9C4D-4F62-8A17-2D6C3E9F0B48}"},
        {StaticKey, lm, search + "\\0", "", "&Velmondo Search..."},
        {StaticKey, lm, search + "\\0\\DefaultIcon", "", server + ",0"},
        {Always, cr, "Drive\\shell\\find\\command", "", command},
        {Always, cr, "Drive\\shell\\find\\ddeexec", "", "[SearchDrive(\"%1\")]"},
        {Always, cr, "Drive\\shell\\find\\ddeexec\\application", "", "Velmondo"},
        {Always, cr, "Drive\\shell\\find\\ddeexec\\topic", "", "Search"},
        {Always, cr, "Directory\\shell\\find\\command", "", command},
        {Always, cr, "Directory\\shell\\find\\ddeexec", "", "[SearchPath(\"%1\")]"},
        {Always, cr, "Directory\\shell\\find\\ddeexec\\application", "", "Velmondo"},
        {Always, cr, "Directory\\shell\\find\\ddeexec\\topic", "", "Search"},
        {Always, cr, ".z_vlm", "", "z_vlmFile"},
        {Always, cr, "z_vlmFile", "", "Velmondo Project File"},
        {Always, cr, "z_vlmFile\\DefaultIcon", "", "\"" + install + "\\Velmondo.exe\",0"},
        {Always, cr, "z_vlmFile\\shell\\open\\command", "", command},
        {Always, cr, "z_vlmFile\\shell\\open\\ddeexec", "", "[OpenProject(\"%1\")]"},
        {Always, cr, "z_vlmFile\\shell\\open\\ddeexec\\application", "", "Velmondo"},
        {Always, cr, "z_vlmFile\\shell\\open\\ddeexec\\topic", "", "Search"},
    };
}

std::string Describe(const ExpectedValue& value)
{
    return std::string(value.root == HKEY_CLASSES_ROOT ? "HKCR\\" : "HKLM\\") + value.key + " [" + value.name + "]";
}

bool KeyExists(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void DeleteTree(HKEY root, const std::string& path)
{
    RegDeleteTreeA(root, path.c_str());
    RegDeleteKeyA(root, path.c_str());
}

// Reads the raw bytes: the stored size must count the terminator, and the type must be REG_SZ.
// Wine, like NT, itself adds a terminator left out of a size when the next byte is zero, so
// this mostly catches sizes that cut a text short or carry bytes past its end.
void ExpectStored(const ExpectedValue& value)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(value.root, value.key.c_str(), 0, KEY_READ, &key)) << Describe(value);
    char data[1024];
    DWORD size = sizeof data;
    DWORD type = REG_NONE;
    LONG status = RegQueryValueExA(key, value.name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, status) << Describe(value);
    EXPECT_EQ(DWORD(REG_SZ), type) << Describe(value);
    EXPECT_EQ(value.data + '\0', std::string(data, size)) << Describe(value);
}

void ExpectAbsent(const ExpectedValue& value)
{
    HKEY key;
    if (RegOpenKeyExA(value.root, value.key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    LONG status = RegQueryValueExA(key, value.name, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_NE(ERROR_SUCCESS, status) << Describe(value) << " should not be written";
}

struct RegistryPass : testing::Test {
    void SetUp() override
    {
        savedManifest = installManifest;
        SetFolders("C:\\Scratch Zorva\\Velmondo", "C:\\Scratch Windows", "C:\\Scratch Windows\\System32");
        // The keys the pass writes below; what the prefix lacked before the test goes again after it.
        const struct {
            HKEY root;
            std::string path;
        } written[] = {
            {HKEY_LOCAL_MACHINE, "Software\\Zorva"},
            {HKEY_LOCAL_MACHINE, std::string(uninstallPath) + "\\Velmondo"},
            {HKEY_LOCAL_MACHINE, std::string(staticPath) + "\\Velmondo"},
            {HKEY_CLASSES_ROOT, "CLSID\\{5B0E7A31-9C4D-4F62-8A17-2D6C3E9F0B48}"},
            {HKEY_CLASSES_ROOT, "Drive\\shell\\find"},
            {HKEY_CLASSES_ROOT, "Directory\\shell\\find"},
            {HKEY_CLASSES_ROOT, ".z_vlm"},
            {HKEY_CLASSES_ROOT, "z_vlmFile"},
        };
        for (const auto& key : written) {
            DeleteTree(key.root, key.path);  // left over from an interrupted run
            std::string::size_type end = 0;
            do {
                end = key.path.find('\\', end + 1);
                std::string level = key.path.substr(0, end);
                if (!KeyExists(key.root, level)) {
                    created.push_back({key.root, level});
                    break;
                }
            } while (end != std::string::npos);
        }
    }

    void TearDown() override
    {
        for (const auto& key : created)
            DeleteTree(key.first, key.second);
        if (uninstallRemoved) {
            HKEY restored;
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, uninstallPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &restored,
                            nullptr);
            RegCopyTreeA(HKEY_LOCAL_MACHINE, uninstallBackup, restored);
            RegCloseKey(restored);
            DeleteTree(HKEY_LOCAL_MACHINE, uninstallBackup);
        }
        installManifest = savedManifest;
    }

    void SetFolders(const std::string& install, const std::string& windows, const std::string& system)
    {
        install_ = install;
        windows_ = windows;
        system_ = system;
        ASSERT_TRUE(CopyText(installManifest.installDir, 260, install.c_str()));
        ASSERT_TRUE(CopyText(installManifest.windowsDir, 260, windows.c_str()));
        ASSERT_TRUE(CopyText(installManifest.systemDir, 260, system.c_str()));
    }

    void CreateStaticKey()
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, staticPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &key, nullptr));
        RegCloseKey(key);
    }

    // Wine has the Uninstall key; the test keeps a copy and puts it back afterwards.
    void RemoveUninstallKey()
    {
        HKEY backup;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, uninstallBackup, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &backup, nullptr));
        LONG copied = RegCopyTreeA(HKEY_LOCAL_MACHINE, uninstallPath, backup);
        RegCloseKey(backup);
        ASSERT_EQ(ERROR_SUCCESS, copied);
        uninstallRemoved = true;
        DeleteTree(HKEY_LOCAL_MACHINE, uninstallPath);
        ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, uninstallPath));
    }

    std::vector<ExpectedValue> Expected() const { return ExpectedValues(install_, windows_, system_); }

    InstallManifest savedManifest;
    std::vector<std::pair<HKEY, std::string>> created;
    bool uninstallRemoved = false;
    std::string install_, windows_, system_;
};

}  // namespace

TEST_F(RegistryPass, WritesEveryValueAndARerunOverwritesWithoutDeleting)
{
    CreateStaticKey();
    RegisterProduct();
    for (const auto& value : Expected())
        ExpectStored(value);

    // A later installation into other folders, over a key that holds a value of its own.
    HKEY key;
    std::string entry = std::string(uninstallPath) + "\\Velmondo";
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, entry.c_str(), 0, KEY_ALL_ACCESS, &key));
    RegSetValueExA(key, "Comments", 0, REG_SZ, reinterpret_cast<const BYTE*>("kept"), 5);
    RegCloseKey(key);
    SetFolders("D:\\Apps\\Velmondo", "D:\\WinNT", "D:\\WinNT\\System32");
    RegisterProduct();
    for (const auto& value : Expected())
        ExpectStored(value);
    ExpectStored({UninstallKey, HKEY_LOCAL_MACHINE, entry, "Comments", "kept"});
}

TEST_F(RegistryPass, MissingUninstallAndSearchKeysAreNeitherCreatedNorStopTheRest)
{
    // Wine's registry has no search extension list; one left by an interrupted run goes first.
    DeleteTree(HKEY_LOCAL_MACHINE, staticPath);
    RemoveUninstallKey();
    RegisterProduct();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, uninstallPath));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, staticPath));
    for (const auto& value : Expected()) {
        if (value.needs == Always)
            ExpectStored(value);
        else
            ExpectAbsent(value);
    }
}

TEST_F(RegistryPass, AProgramPathTooLongForItsTextSkipsOnlyTheValuesThatNameIt)
{
    // The program path (253 characters) still fits, the quoted texts made from it do not;
    // the folder alone is still stored whole.
    SetFolders("C:\\" + std::string(237, 'L'), "C:\\Windows", "C:\\Windows\\System32");
    CreateStaticKey();
    RegisterProduct();
    const std::string program = install_ + "\\Velmondo.exe";
    for (const auto& value : Expected()) {
        if (value.data.find(program) != std::string::npos)
            ExpectAbsent(value);
        else
            ExpectStored(value);
    }
}
