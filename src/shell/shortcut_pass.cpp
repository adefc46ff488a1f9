// The shortcut pass: the Start-menu group with a shortcut per named row, and the desktop shortcut.
#include "shell/shortcut_pass.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include "resource_ids.h"
#include "setup/install_manifest.h"
#include "setup/manifest_rules.h"
#include "setup/setup_state.h"
#include "shell/link_path.h"
#include "util/bounded_text.h"
#include "util/file_system.h"
#include "util/path_text.h"
#include "wizard/window_utils.h"

// The three ids the pass needs, defined here: libuuid's would bring every id of its object into the stub.
static const CLSID shellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID shellLinkInterface = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};   // IShellLinkA
static const IID persistFileInterface = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

enum { MainProgramRow = 2, LinkPathWideSize = 512 };

bool GetSpecialFolder(char* out, int16_t size, int csidl)
{
    if (size <= 0)
        return false;
    out[0] = '\0';
    LPITEMIDLIST list = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &list) != S_OK)
        return false;
    char path[MAX_PATH];
    // A failed conversion leaves path undefined: treat it as a folder not found.
    bool found = SHGetPathFromIDListA(list, path) && path[0] != '\0' && CopyText(out, size, path);
    CoTaskMemFree(list);
    return found;
}

void CreateShellLink(const char* target, const char* workingFolder, const char* linkPath, const char* description)
{
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(shellLinkClass, nullptr, CLSCTX_INPROC_SERVER, shellLinkInterface,
                                reinterpret_cast<void**>(&link))) ||
        link == nullptr)
        return;
    link->SetPath(target);
    link->SetWorkingDirectory(workingFolder);
    link->SetDescription(description);
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(persistFileInterface, reinterpret_cast<void**>(&file))) && file != nullptr) {
        WCHAR wideLinkPath[LinkPathWideSize];
        // Without a whole converted path Save would get an unterminated name.
        if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, wideLinkPath, LinkPathWideSize) > 0)
            file->Save(wideLinkPath, TRUE);
        file->Release();
    }
    link->Release();
}

// Both texts must be whole: a cut target or link path would name another file.
static void MakeShortcut(const char* specialFolder, const char* group, const char* folder, const char* fileName,
                         const char* name)
{
    char target[PathBufferSize];
    char linkPath[PathBufferSize];
    if (JoinPath(target, sizeof target, folder, fileName, false) &&
        BuildLinkPath(linkPath, sizeof linkPath, specialFolder, group, name))
        CreateShellLink(target, folder, linkPath, name);
}

bool CreateShortcuts(HWND page)
{
    // S_FALSE (COM already entered on this thread) counts as a failure too: the
    // pass only runs in an apartment of its own making.
    if (CoInitialize(nullptr) != S_OK)
        return false;

    HWND bar = GetDlgItem(page, IDC_SHORTCUT_PROGRESS);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, installManifest.shortcutCount));
    SendMessageA(bar, PBM_SETSTEP, 1, 0);

    char programs[PathBufferSize];
    GetSpecialFolder(programs, sizeof programs, setupState.allUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS);
    char groupFolder[PathBufferSize];
    // Without a Programs folder the group would be made relative to the current folder.
    if (programs[0] != '\0' &&
        JoinPath(groupFolder, sizeof groupFolder, programs, installManifest.programGroup, false))
        MakePath(groupFolder);

    // The count is a signed 16-bit number for this loop, and never reaches past the table.
    int16_t rowCount = static_cast<int16_t>(installManifest.fileCount);
    for (int16_t row = 0; row < rowCount && row < ManifestRows; row++) {
        const FileEntry& entry = installManifest.entries[row];
        if (entry.shortcutName[0] == '-')
            continue;
        SetDlgItemTextA(page, IDC_SHORTCUT_STATUS, entry.shortcutName);
        MakeShortcut(programs, installManifest.programGroup, ShortcutFolder(entry), entry.fileName,
                     entry.shortcutName);
        SendMessageA(bar, PBM_STEPIT, 0, 0);
        WaitPumping(page, 200);
    }

    char desktop[PathBufferSize];
    GetSpecialFolder(desktop, sizeof desktop,
                     setupState.allUsers ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY);
    const FileEntry& mainProgram = installManifest.entries[MainProgramRow];
    MakeShortcut(desktop, "", installManifest.installDir, mainProgram.fileName, mainProgram.shortcutName);

    SetDlgItemTextA(page, IDC_SHORTCUT_STATUS, "Success");
    WaitPumping(page, 500);
    CoUninitialize();
    return true;
}
