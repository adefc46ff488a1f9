// Small window utilities the pages and passes share: control state, cached fonts, timed pump, launch.
#include "wizard/window_utils.h"

#include <shellapi.h>

#include "setup/install_manifest.h"
#include "setup/setup_state.h"
#include "util/bounded_text.h"
#include "util/path_text.h"

void EnableControl(HWND window, int id, bool on)
{
    EnableWindow(GetDlgItem(window, id), on);
}

void ShowControl(HWND window, int id, bool on)
{
    ShowWindow(GetDlgItem(window, id), on ? SW_SHOW : SW_HIDE);
}

// The page's own font with one change; every other attribute stays the page's.
static HFONT DerivePageFont(HWND page, const char* faceName, LONG height, LONG weight)
{
    LOGFONTA description;
    ZeroMemory(&description, sizeof description);
    HFONT pageFont = reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0));
    GetObjectA(pageFont, sizeof description, &description);
    if (faceName != nullptr)
        CopyText(description.lfFaceName, sizeof description.lfFaceName, faceName);
    if (height != 0)
        description.lfHeight = height;
    if (weight != 0)
        description.lfWeight = weight;
    return CreateFontIndirectA(&description);
}

void SetMonoFont(HWND page, int id)
{
    if (setupState.monoFont == nullptr)
        setupState.monoFont = DerivePageFont(page, "Courier New", -12, 0);
    SendDlgItemMessageA(page, id, WM_SETFONT, reinterpret_cast<WPARAM>(setupState.monoFont), TRUE);
}

void SetBoldFont(HWND page, int id)
{
    if (setupState.boldFont == nullptr)
        setupState.boldFont = DerivePageFont(page, nullptr, 0, FW_BOLD);
    SendDlgItemMessageA(page, id, WM_SETFONT, reinterpret_cast<WPARAM>(setupState.boldFont), TRUE);
}

void WaitPumping(HWND window, DWORD milliseconds)
{
    DWORD start = GetTickCount();
    DWORD now;
    do {
        now = GetTickCount();
        MSG message;
        if (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    } while (now - start < milliseconds);
}

void LaunchProduct(HWND window)
{
    char path[PathBufferSize];
    if (!JoinPath(path, sizeof path, installManifest.installDir, installManifest.entries[2].fileName, false))
        return;
    SHELLEXECUTEINFOA execute;
    ZeroMemory(&execute, sizeof execute);
    execute.cbSize = sizeof execute;
    execute.hwnd = window;
    execute.lpFile = path;
    execute.lpDirectory = installManifest.installDir;
    execute.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&execute);
}
