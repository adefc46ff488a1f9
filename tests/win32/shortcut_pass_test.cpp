// The shortcut pass on Wine's shell: link paths, both scopes read back with IShellLinkA, skipped rows, COM refusal.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <thread>

#include "scratch_folder.h"
#include "setup/install_manifest.h"
#include "setup/setup_state.h"
#include "shell/link_path.h"
#include "shell/shortcut_pass.h"
#include "util/bounded_text.h"
#include "util/file_system.h"

namespace {

// A stand-in for the progress page: a window holding the status text and the bar the pass reports in.
struct ProgressPage {
    ProgressPage()
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        window = CreateWindowExA(0, "STATIC", "page", WS_OVERLAPPEDWINDOW, 0, 0, 400, 120, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        CreateWindowExA(0, "STATIC", "idle", WS_CHILD | WS_VISIBLE, 10, 10, 300, 20, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ShortcutStatusId)), nullptr, nullptr);
        CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 40, 300, 20, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ShortcutProgressId)), nullptr, nullptr);
    }
    ~ProgressPage() { DestroyWindow(window); }
    std::string Status() const
    {
        char text[64] = "";
        GetDlgItemTextA(window, ShortcutStatusId, text, sizeof text);
        return text;
    }
    LRESULT BarPosition() const { return SendDlgItemMessageA(window, ShortcutProgressId, PBM_GETPOS, 0, 0); }
    LRESULT BarHigh() const { return SendDlgItemMessageA(window, ShortcutProgressId, PBM_GETRANGE, FALSE, 0); }
    HWND window;
};

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

enum Place { Programs, Desktop };
enum Folder { Install, Windows };

struct ExpectedShortcut {
    Place place;
    const char* link;
    Folder folder;
    const char* file;
    const char* description;
};

const ExpectedShortcut shortcuts[] = {
    {Programs, "ZORVA\\Velmondo\\Remove.lnk", Windows, "QXTCleanup.exe", "Remove"},
    {Programs, "ZORVA\\Velmondo\\Velmondo.lnk", Install, "Velmondo.exe", "Velmondo"},
    {Programs, "ZORVA\\Velmondo\\Help.lnk", Install, "Velmondo.chm", "Help"},
    {Programs, "ZORVA\\Velmondo\\Update.lnk", Install, "Renovix.exe", "Update"},
    {Programs, "ZORVA\\Velmondo\\Go Zorva.lnk", Install, "Go Zorva.url", "Go Zorva"},
    {Desktop, "Velmondo.lnk", Install, "Velmondo.exe", "Velmondo"},
};

struct LinkFields {
    std::string target, workingFolder, description;
};

bool ReadLink(const std::string& path, LinkFields& fields)
{
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* file = nullptr;
    bool loaded = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        loaded = SUCCEEDED(file->Load(wide, STGM_READ));
        file->Release();
    }
    char text[MAX_PATH] = "";
    if (loaded) {
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

ULONGLONG WriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

struct ShortcutPass : testing::Test {
    void SetUp() override
    {
        savedManifest = installManifest;
        savedState = setupState;
        RemoveShortcuts();
        root = MakeScratchFolder("shortcut pass");
        install = root + "\\Program Files\\Velmondo";
        windows = root + "\\Windows";
        CreateDirectoryA((root + "\\Program Files").c_str(), nullptr);
        CreateDirectoryA(install.c_str(), nullptr);
        CreateDirectoryA(windows.c_str(), nullptr);
        for (const auto& shortcut : shortcuts)
            WriteFileText(FolderOf(shortcut.folder) + "\\" + shortcut.file, "installed file");
        CopyText(installManifest.installDir, 260, install.c_str());
        CopyText(installManifest.windowsDir, 260, windows.c_str());
        CopyText(installManifest.systemDir, 260, (windows + "\\System32").c_str());
    }
    void TearDown() override
    {
        RemoveShortcuts();
        RemoveTree(root);
        installManifest = savedManifest;
        setupState = savedState;
    }
    static void RemoveShortcuts()
    {
        for (int csidl : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS})
            RemoveTree(ShellFolder(csidl) + "\\ZORVA");
        for (int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY})
            DeleteFileA((ShellFolder(csidl) + "\\Velmondo.lnk").c_str());
    }
    std::string FolderOf(Folder folder) const { return folder == Install ? install : windows; }
    static std::string LinkPath(const ExpectedShortcut& shortcut, bool allUsers)
    {
        int csidl = shortcut.place == Programs ? (allUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS)
                                               : (allUsers ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY);
        return ShellFolder(csidl) + "\\" + shortcut.link;
    }

    InstallManifest savedManifest;
    SetupState savedState;
    std::string root, install, windows;
};

}  // namespace

TEST(LinkPath, JoinsFolderGroupAndNameWithSingleBackslashes)
{
    const std::string longFolder = "C:\\" + std::string(240, 'f');
    const struct {
        std::string folder;
        const char* group;
        const char* name;
        std::string expected;  // empty: refused
    } cases[] = {
        {"C:\\Start Menu\\Programs", "ZORVA\\Velmondo", "Go Zorva", "C:\\Start Menu\\Programs\\ZORVA\\Velmondo\\Go Zorva.lnk"},
        {"C:\\Desktop", "", "Velmondo", "C:\\Desktop\\Velmondo.lnk"},
        // A drive root or a group that ends in a backslash gets no second one.
        {"D:\\", "ZORVA\\Velmondo", "Help", "D:\\ZORVA\\Velmondo\\Help.lnk"},
        {"D:\\", "", "Help", "D:\\Help.lnk"},
        {"C:\\Menu", "ZORVA\\", "Help", "C:\\Menu\\ZORVA\\Help.lnk"},
        // A folder the shell could not locate gives no path: it would be relative to the current folder.
        {"", "ZORVA\\Velmondo", "Help", ""},
        {"", "", "Velmondo", ""},
        // 240 + 1 + 14 + 1 + 8 + 4 = 268 characters do not fit 260 bytes and are not cut.
        {longFolder, "ZORVA\\Velmondo", "Velmondo", ""},
        {longFolder, "", "Velmondo", longFolder + "\\Velmondo.lnk"},
    };
    for (const auto& c : cases) {
        char out[260];
        memset(out, 'x', sizeof out);
        bool built = BuildLinkPath(out, sizeof out, c.folder.c_str(), c.group, c.name);
        EXPECT_EQ(!c.expected.empty(), built) << c.folder.substr(0, 30) << " | " << c.group;
        EXPECT_EQ(c.expected, out) << c.folder.substr(0, 30) << " | " << c.group;
    }
}

TEST_F(ShortcutPass, MakesTheSixShortcutsInTheChosenScopeOnly)
{
    for (bool allUsers : {false, true}) {
        SCOPED_TRACE(allUsers ? "all users" : "current user");
        RemoveShortcuts();
        setupState.allUsers = allUsers;
        ProgressPage page;
        ASSERT_TRUE(CreateShortcuts(page.window));
        EXPECT_EQ("Success", page.Status());
        EXPECT_EQ(5, page.BarHigh());
        EXPECT_EQ(5, page.BarPosition()) << "one step per Start-menu shortcut, none for the desktop";

        // The pass has ended COM on this thread: reading back enters it afresh.
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
        ULONGLONG previous = 0;
        for (const auto& shortcut : shortcuts) {
            std::string path = LinkPath(shortcut, allUsers);
            LinkFields fields;
            ASSERT_TRUE(ReadLink(path, fields)) << path;
            EXPECT_EQ(FolderOf(shortcut.folder) + "\\" + shortcut.file, fields.target) << path;
            EXPECT_EQ(FolderOf(shortcut.folder), fields.workingFolder) << path;
            EXPECT_EQ(shortcut.description, fields.description) << path;
            EXPECT_FALSE(PathExists(LinkPath(shortcut, !allUsers).c_str())) << "other scope: " << path;
            // Made one after another with pauses between them, in table order.
            ULONGLONG written = WriteTime(path);
            EXPECT_GT(written, previous) << path;
            previous = written;
        }
        CoUninitialize();
    }
}

TEST_F(ShortcutPass, RowsWhoseNameBeginsWithADashAreSkipped)
{
    CopyText(installManifest.entries[5].shortcutName, sizeof installManifest.entries[5].shortcutName, "-Update");
    setupState.allUsers = 0;
    ProgressPage page;
    ASSERT_TRUE(CreateShortcuts(page.window));
    EXPECT_EQ(4, page.BarPosition());
    for (const auto& shortcut : shortcuts) {
        bool skipped = std::string(shortcut.description) == "Update";
        EXPECT_EQ(!skipped, PathExists(LinkPath(shortcut, false).c_str())) << shortcut.link;
    }
    EXPECT_FALSE(PathExists((ShellFolder(CSIDL_PROGRAMS) + "\\ZORVA\\Velmondo\\-Update.lnk").c_str()));
}

TEST_F(ShortcutPass, RefusesCOMItCannotInitialiseBeforeTouchingAnything)
{
    const struct {
        const char* label;
        DWORD apartment;
    } cases[] = {
        {"thread in the multithreaded apartment", COINIT_MULTITHREADED},
        {"COM already entered on the thread", COINIT_APARTMENTTHREADED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        bool result = true;
        std::string status;
        LRESULT position = -1;
        // A thread of its own, so that the apartment it enters ends with it.
        std::thread worker([&] {
            ProgressPage page;
            if (FAILED(CoInitializeEx(nullptr, c.apartment)))
                return;
            result = CreateShortcuts(page.window);
            status = page.Status();
            position = page.BarPosition();
            CoUninitialize();
        });
        worker.join();
        EXPECT_FALSE(result);
        EXPECT_EQ("idle", status);
        EXPECT_EQ(0, position);
        for (const auto& shortcut : shortcuts)
            EXPECT_FALSE(PathExists(LinkPath(shortcut, true).c_str()) || PathExists(LinkPath(shortcut, false).c_str()))
                << shortcut.link;
        EXPECT_FALSE(PathExists((ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\ZORVA").c_str()));
        EXPECT_FALSE(PathExists((ShellFolder(CSIDL_PROGRAMS) + "\\ZORVA").c_str()));
    }
}
