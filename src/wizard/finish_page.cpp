// The finish page: the completion message, the welcome text and the run-on-exit box.
#include "wizard/finish_page.h"

#include "resource_ids.h"
#include "setup/install_manifest.h"
#include "setup/setup_state.h"
#include "util/bounded_text.h"
#include "wizard/resource_text.h"
#include "wizard/window_utils.h"

enum { PageTextSize = 256 };

INT_PTR CALLBACK FinishPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitFinishPage(page);
        return TRUE;
    case WM_COMMAND:
        return OnFinishCommand(page, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

void InitFinishPage(HWND page)
{
    // The manifest's product name has at most 19 characters, so both texts always fit.
    char text[PageTextSize];
    FormatText(text, sizeof text,
               "ZORVA %s was sucessfully installed. Please take a moment to check out the Survival Guide below "
               "and remember to tell a friend or two about ZORVA and share the experience together!",
               installManifest.productName);
    SetDlgItemTextA(page, IDC_FINISH_MESSAGE, text);
    SetMonoFont(page, IDC_FINISH_TEXT);
    SetResourceText(page, IDC_FINISH_TEXT, "WELCOME");
    FormatText(text, sizeof text, "Place a check here to run ZORVA %s on exit...", installManifest.productName);
    SetDlgItemTextA(page, IDC_RUN_ON_EXIT, text);
}

INT_PTR OnFinishCommand(HWND page, int id, int code)
{
    if (id != IDC_RUN_ON_EXIT)
        return TRUE;
    if (code == BN_CLICKED)
        UpdateRunOnExit(page);
    return FALSE;
}

void UpdateRunOnExit(HWND page)
{
    setupState.runOnExit = IsDlgButtonChecked(page, IDC_RUN_ON_EXIT) == BST_CHECKED ? 1 : 0;
}
