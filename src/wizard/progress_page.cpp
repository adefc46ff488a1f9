// The progress page: it runs the installation passes once, 500 ms after it appears, and tells the frame how they ended.
#include "wizard/progress_page.h"

#include "extract/file_pass.h"
#include "resource_ids.h"
#include "setup/install_manifest.h"
#include "setup/setup_state.h"
#include "shell/registry_pass.h"
#include "shell/shortcut_pass.h"
#include "util/bounded_text.h"

enum { MessageTextSize = 256 };

INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        // The work waits for the tick: the passes hold the thread, and the page must be drawn before they start.
        SetTimer(page, InstallTimerId, InstallDelayMilliseconds, nullptr);
        return TRUE;
    case WM_TIMER:
        // Only our own timer starts the passes: a stray tick of another id must not install twice.
        if (wParam == InstallTimerId)
            return OnInstallTimer(page, wParam);
        return FALSE;
    }
    return FALSE;
}

INT_PTR OnInstallTimer(HWND page, UINT_PTR timerId)
{
    // Killed before any pass: their pauses dispatch this page's messages, and a second tick
    // arriving there would start the installation again inside the first.
    KillTimer(page, timerId);
    if (!InstallFiles(page) || !CreateShortcuts(page)) {
        AbortInstallation();
        return 0;
    }
    RegisterProduct();
    // Posted, not sent: Continue destroys this page, which must not happen while its handler still runs.
    PostMessageA(setupState.frameWindow, WM_COMMAND, MAKEWPARAM(IDC_CONTINUE, BN_CLICKED), 0);
    return 0;
}

void AbortInstallation()
{
    // The manifest's product name has at most 19 characters, so the text always fits.
    char text[MessageTextSize];
    FormatText(text, sizeof text,
               "Installation Aborted!\r\n\r\nZORVA %s could not be installed at this time.\r\n"
               "Please restart your computer before running setup again.",
               installManifest.productName);
    MessageBoxA(setupState.frameWindow, text, "ZORVA Setup", MB_ICONWARNING);
    PostMessageA(setupState.frameWindow, WM_COMMAND, MAKEWPARAM(IDC_CANCEL, BN_CLICKED), 0);
}
