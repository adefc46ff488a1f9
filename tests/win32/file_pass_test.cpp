// The file installation pass on Wine's file system, installing from the payload resources of setup.exe.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "extract/file_pass.h"
#include "extract/payload_checksum.h"
#include "scratch_folder.h"
#include "setup/install_manifest.h"
#include "setup/setup_state.h"
#include "util/bounded_text.h"
#include "util/file_system.h"

namespace {

const char failureText[] = "Unable to create destination file!\r\nInstallation will now be aborted.";

std::string ExeFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string self = path;
    return self.substr(0, self.rfind('\\'));
}

// The stand-in files the build packed, kept in <build>/payload/files beside <build>/bin.
std::string StandIn(const char* name)
{
    return ExeFolder() + "\\..\\payload\\files\\" + name;
}

bool ReadBytes(const std::string& path, std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.assign(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    bool ok = bytes.empty() || (ReadFile(file, &bytes[0], DWORD(bytes.size()), &got, nullptr) && got == bytes.size());
    CloseHandle(file);
    return ok;
}

bool IsFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Answers every "ZORVA Setup" message box of this process with OK, keeping the texts it showed:
// the failure message is modal and would otherwise stop the test.
struct MessageBoxAnswerer {
    std::atomic<bool> stop{false};
    std::vector<std::string> texts;
    std::thread thread;

    static BOOL CALLBACK CollectStatic(HWND child, LPARAM found)
    {
        char className[16];
        char text[256];
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
            *reinterpret_cast<std::string*>(found) = text;
        return TRUE;
    }

    void Start()
    {
        thread = std::thread([this] {
            while (!stop) {
                HWND box = FindWindowA("#32770", "ZORVA Setup");
                DWORD owner = 0;
                if (box != nullptr)
                    GetWindowThreadProcessId(box, &owner);
                if (box == nullptr || owner != GetCurrentProcessId()) {
                    Sleep(20);
                    continue;
                }
                std::string text;
                EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&text));
                texts.push_back(text);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                while (IsWindow(box) && !stop)
                    Sleep(10);
            }
        });
    }

    void Stop()
    {
        stop = true;
        thread.join();
    }
};

struct FilePass : testing::Test {
    void SetUp() override
    {
        saved = installManifest;
        savedInstance = setupState.instance;
        root = MakeScratchFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
        installDir = root + "\\Programs\\Zorva\\Velmondo";  // missing: the pass makes it
        windowsDir = root + "\\Windows";
        systemDir = root + "\\Windows\\System32";
        CreateDirectoryA(windowsDir.c_str(), nullptr);
        CreateDirectoryA(systemDir.c_str(), nullptr);
        CopyText(installManifest.installDir, sizeof installManifest.installDir, installDir.c_str());
        CopyText(installManifest.windowsDir, sizeof installManifest.windowsDir, windowsDir.c_str());
        CopyText(installManifest.systemDir, sizeof installManifest.systemDir, systemDir.c_str());

        // The resources come from the real setup.exe, so the test sees what the build shipped.
        payload = LoadLibraryExA((ExeFolder() + "\\setup.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, payload) << "setup.exe beside the test";
        setupState.instance = payload;

        InitCommonControls();
        page = CreateWindowExA(0, "STATIC", "progress page", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr, nullptr,
                               nullptr);
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 400, 20, page, reinterpret_cast<HMENU>(500), nullptr,
                        nullptr);
        CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 0, 40, 400, 20, page, reinterpret_cast<HMENU>(501),
                        nullptr, nullptr);
        answerer.Start();
    }

    void TearDown() override
    {
        answerer.Stop();
        DestroyWindow(page);
        if (payload != nullptr)
            FreeLibrary(payload);
        installManifest = saved;
        setupState.instance = savedInstance;
        RemoveTree(root);
    }

    std::string StatusText()
    {
        char text[300];
        GetDlgItemTextA(page, 500, text, sizeof text);
        return text;
    }

    int BarPosition() { return int(SendDlgItemMessageA(page, 501, PBM_GETPOS, 0, 0)); }

    InstallManifest saved;
    HINSTANCE savedInstance;
    HMODULE payload = nullptr;
    HWND page = nullptr;
    MessageBoxAnswerer answerer;
    std::string root, installDir, windowsDir, systemDir;
};

// 2007-10-10 05:00 local time in the manifest; wine-env.sh runs the tests at UTC+3 (TZ=Etc/GMT-3), so
// a pass that skipped the local-to-UTC conversion would stamp 05:00 instead of 02:00.
FILETIME ExpectedUtcStamp()
{
    SYSTEMTIME utc = {2007, 10, 3, 10, 2, 0, 0, 0};
    FILETIME stamp;
    SystemTimeToFileTime(&utc, &stamp);
    return stamp;
}

bool SameTime(const FILETIME& a, const FILETIME& b)
{
    return CompareFileTime(&a, &b) == 0;
}

enum Folder { InInstallDir, InWindowsDir, InSystemDir };

struct InstalledFile {
    Folder folder;
    const char* name;
    const char* standIn;
};

}  // namespace

TEST_F(FilePass, WritesEachVariantsFilesWithTheManifestTimeOverAnEarlierInstallation)
{
    const struct {
        uint16_t variantMask;
        InstalledFile files[8];
    } variants[] = {
        {Variant98,
         {{InWindowsDir, "QXTCleanup.exe", "cleanup_98.exe"},
          {InInstallDir, "Velmondo.exe", "velmondo_98.exe"},
          {InInstallDir, "Velmondo.chm", "velmondo.chm"},
          {InInstallDir, "Renovix.exe", "renovix.exe"},
          {InInstallDir, "Go Zorva.url", "go_zorva.url"},
          {InInstallDir, "Pricing.txt", "pricing.txt"},
          {InInstallDir, "Account.txt", "account.txt"},
          {InSystemDir, "QTXCtxMenu.dll", "qtx_ctx_menu.dll"}}},
        // Over the first: every file replaced, the install folder cleared first.
        {VariantXP,
         {{InWindowsDir, "QXTCleanup.exe", "cleanup_xp.exe"},
          {InInstallDir, "Velmondo.exe", "velmondo_xp.exe"},
          {InInstallDir, "Velmondo.chm", "velmondo.chm"},
          {InInstallDir, "Renovix.exe", "renovix.exe"},
          {InInstallDir, "Go Zorva.url", "go_zorva.url"},
          {InInstallDir, "Pricing.txt", "pricing.txt"},
          {InInstallDir, "Account.txt", "account.txt"},
          {InSystemDir, "QTXCtxMenu.dll", "qtx_ctx_menu.dll"}}},
    };
    const FILETIME stamp = ExpectedUtcStamp();
    for (const auto& variant : variants) {
        SCOPED_TRACE(variant.variantMask == Variant98 ? "Variant98" : "VariantXP");
        if (variant.variantMask == VariantXP) {
            WriteFileText(installDir + "\\left over.txt", "from an earlier installation");
            CreateDirectoryA((installDir + "\\Projects").c_str(), nullptr);
            WriteFileText(installDir + "\\Projects\\search.z_vlm", "project");
        }

        ASSERT_TRUE(InstallVariantFiles(page, variant.variantMask));

        EXPECT_EQ("Success", StatusText());
        EXPECT_EQ(10, BarPosition()) << "skipped rows step the bar too";
        EXPECT_TRUE(answerer.texts.empty());
        for (const InstalledFile& file : variant.files) {
            const std::string& folder =
                file.folder == InInstallDir ? installDir : file.folder == InWindowsDir ? windowsDir : systemDir;
            const std::string path = folder + "\\" + file.name;
            // Times first: reading the file could move its access time.
            WIN32_FILE_ATTRIBUTE_DATA data;
            ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) << path;
            EXPECT_TRUE(SameTime(stamp, data.ftLastWriteTime)) << path;
            EXPECT_TRUE(SameTime(stamp, data.ftLastAccessTime)) << path;
            EXPECT_TRUE(SameTime(stamp, data.ftCreationTime)) << path << " creation";
            std::string installed, expected;
            ASSERT_TRUE(ReadBytes(StandIn(file.standIn), expected)) << file.standIn;
            ASSERT_TRUE(ReadBytes(path, installed)) << path;
            EXPECT_TRUE(installed == expected) << path << ": " << installed.size() << " bytes, not the "
                                               << expected.size() << " of " << file.standIn;
        }
    }
    EXPECT_FALSE(IsFile(installDir + "\\left over.txt"));
    EXPECT_FALSE(IsFile(installDir + "\\Projects\\search.z_vlm"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((installDir + "\\Projects").c_str()));
}

TEST_F(FilePass, StopsAtTheFirstFileThatCannotBeMadeCompleteAndLeavesNoPartOfIt)
{
    // The Variant98 rows in order: 0 windows, 2 and 4 to 8 install folder, 9 system; each case fails
    // at one row, so the bar stands at that row's index and the files before it stay.
    const struct {
        const char* fault;
        unsigned row;
        void (*arrange)(const std::string& installDir);
    } cases[] = {
        {"a folder stands where the file goes", 4,
         [](const std::string& installDir) {
             MakePath(installDir.c_str());
             CreateDirectoryA((installDir + "\\Velmondo.chm").c_str(), nullptr);
         }},
        {"the resource is missing", 5,
         [](const std::string&) { CopyText(installManifest.entries[5].resourceName, 20, "NO_SUCH_PAYLOAD"); }},
        {"the resource is shorter than its row", 7,
         [](const std::string&) { installManifest.entries[7].packedSize++; }},
        // Row 8 reading row 7's resource decodes cleanly, but not to the bytes packed for row 8.
        {"the bytes differ from what was packed", 8,
         [](const std::string&) {
             FileEntry& entry = installManifest.entries[8];
             CopyText(entry.resourceName, sizeof entry.resourceName, installManifest.entries[7].resourceName);
             entry.size = installManifest.entries[7].size;
             entry.packedSize = installManifest.entries[7].packedSize;
         }},
    };
    const InstallManifest original = installManifest;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        installManifest = original;  // the scratch folders included
        RemoveTree(installDir);
        DeleteFileA((windowsDir + "\\QXTCleanup.exe").c_str());
        c.arrange(installDir);
        answerer.texts.clear();
        SendDlgItemMessageA(page, 501, PBM_SETPOS, 0, 0);  // as on a fresh progress page

        EXPECT_FALSE(InstallVariantFiles(page, Variant98));

        ASSERT_EQ(1u, answerer.texts.size());
        EXPECT_EQ(failureText, answerer.texts[0]);
        EXPECT_EQ("", StatusText());
        EXPECT_EQ(int(c.row), BarPosition());
        const FileEntry& failed = original.entries[c.row];
        EXPECT_FALSE(IsFile(installDir + "\\" + failed.fileName)) << "no part of the failed file stays";
        std::string expected, installed;
        ASSERT_TRUE(ReadBytes(StandIn("velmondo_98.exe"), expected));
        EXPECT_TRUE(ReadBytes(installDir + "\\Velmondo.exe", installed) && installed == expected)
            << "a file written before the failure stays complete";
        EXPECT_TRUE(IsFile(windowsDir + "\\QXTCleanup.exe"));
        EXPECT_FALSE(IsFile(systemDir + "\\QTXCtxMenu.dll")) << "rows after the failure are not visited";
    }
}

TEST_F(FilePass, AWriteThatFailsOrFallsShortOfTheChecksumIsNoWrittenFile)
{
    const std::string path = root + "\\destination.bin";
    const struct {
        const char* name;
        DWORD access;
        uint32_t checksumChange;
        bool written;
    } cases[] = {
        {"writable, right checksum", GENERIC_WRITE, 0, true},
        // WriteFile fails on a handle without write access, as it does on a full disk.
        {"write refused", GENERIC_READ, 0, false},
        {"checksum of other bytes", GENERIC_WRITE, 1, false},
    };
    for (unsigned row : {6u, 7u}) {  // the stored web link and a packed text
        const FileEntry& entry = installManifest.entries[row];
        HRSRC resource = FindResourceA(payload, entry.resourceName, RT_RCDATA);
        ASSERT_NE(nullptr, resource) << entry.resourceName;
        const unsigned char* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(payload, resource)));
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(entry.resourceName) + ", " + c.name);
            WriteFileText(path, "");
            HANDLE file = CreateFileA(path.c_str(), c.access, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, file);
            EXPECT_EQ(c.written, WritePayload(file, entry, bytes, payloadChecksums[row] + c.checksumChange));
            CloseHandle(file);
        }
    }
}
