// The destination page: the install folder, the disk space it needs, and the shortcut scope.
#include "wizard/destination_page.h"

#include <shlobj.h>

#include "resource_ids.h"
#include "setup/install_manifest.h"
#include "setup/manifest_rules.h"
#include "setup/setup_state.h"
#include "setup/system_probes.h"
#include "util/bounded_text.h"
#include "util/path_text.h"
#include "wizard/byte_size_text.h"
#include "wizard/destination_rules.h"
#include "wizard/window_utils.h"

enum { ExplanationSize = 512, SizeTextSize = 32, RefusalSize = 128 };

INT_PTR CALLBACK DestinationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitDestinationPage(page);
        return TRUE;
    case WM_COMMAND:
        return OnDestinationCommand(page, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

void InitDestinationPage(HWND page)
{
    char explanation[ExplanationSize];
    FormatText(explanation, sizeof explanation,
               "The program files for ZORVA %s will be installed to the following default location. It is "
               "recommended that you do not change the location below as it is optimized especially for "
               "program files to help them start faster and run smoother.",
               installManifest.productName);
    SetDlgItemTextA(page, IDC_DESTINATION_EXPLANATION, explanation);
    SendDlgItemMessageA(page, IDC_DESTINATION_FOLDER, EM_LIMITTEXT, PathBufferSize - 1, 0);
    ResetDestination(page);
    SetBoldFont(page, IDC_DISK_SPACE);
    ShowDiskSpace(page);
    if (GetOsClass() != 0) {
        setupState.allUsers = 1;
        CheckDlgButton(page, IDC_SCOPE_ALL_USERS, BST_CHECKED);
    } else {
        // Windows 95, 98 and Me have one set of Start-menu folders: there is no choice.
        ShowControl(page, IDC_SCOPE_GROUP, false);
        ShowControl(page, IDC_SCOPE_SINGLE_USER, false);
        ShowControl(page, IDC_SCOPE_ALL_USERS, false);
    }
}

INT_PTR OnDestinationCommand(HWND page, int id, int code)
{
    switch (id) {
    case IDC_DESTINATION_BROWSE:
        if (code == BN_CLICKED)
            BrowseInstallFolder(page);
        return FALSE;
    case IDC_DESTINATION_RESET:
        if (code == BN_CLICKED)
            ResetDestination(page);
        return FALSE;
    case IDC_SCOPE_SINGLE_USER:
    case IDC_SCOPE_ALL_USERS:
        if (code == BN_CLICKED)
            UpdateShortcutScope(page);
        return FALSE;
    }
    return TRUE;
}

void BrowseInstallFolder(HWND page)
{
    LPITEMIDLIST root = nullptr;
    SHGetSpecialFolderLocation(page, CSIDL_DRIVES, &root);
    char chosen[PathBufferSize];
    chosen[0] = '\0';
    BROWSEINFOA browse;
    ZeroMemory(&browse, sizeof browse);
    browse.hwndOwner = page;
    browse.pidlRoot = root;
    browse.pszDisplayName = chosen;
    browse.lpszTitle = "Select Install To Folder";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    LPITEMIDLIST item = SHBrowseForFolderA(&browse);
    if (item != nullptr && SHGetPathFromIDListA(item, chosen))
        SetDlgItemTextA(page, IDC_DESTINATION_FOLDER, chosen);
    CoTaskMemFree(item);
    CoTaskMemFree(root);
}

void ResetDestination(HWND page)
{
    SetDlgItemTextA(page, IDC_DESTINATION_FOLDER, installManifest.installDir);
}

void UpdateShortcutScope(HWND page)
{
    setupState.allUsers = IsDlgButtonChecked(page, IDC_SCOPE_ALL_USERS) == BST_CHECKED ? 1 : 0;
}

void ShowDiskSpace(HWND page)
{
    char text[SizeTextSize];
    FormatByteSize(text, sizeof text, SelectedBytes(GetOsClass()));
    SetDlgItemTextA(page, IDC_DISK_SPACE, text);
}

bool ValidateDestination(HWND page)
{
    char typed[PathBufferSize];
    GetDlgItemTextA(page, IDC_DESTINATION_FOLDER, typed, sizeof typed);
    char folder[PathBufferSize];
    DestinationVerdict verdict = CheckDestination(typed, folder, sizeof folder);
    if (verdict != DestinationAccepted) {
        char message[RefusalSize];
        FormatRefusal(message, sizeof message, verdict);
        MessageBoxA(page, message, "ZORVA Setup", MB_ICONWARNING | MB_OK);
        return false;
    }
    CopyText(installManifest.installDir, sizeof installManifest.installDir, folder);
    SetDlgItemTextA(page, IDC_DESTINATION_FOLDER, installManifest.installDir);
    return true;
}
