// The licence page: the agreement from the "LICENSE" resource and the box that lets Continue through.
#include "wizard/licence_page.h"

#include "resource_ids.h"
#include "setup/setup_state.h"
#include "wizard/resource_text.h"
#include "wizard/window_utils.h"

INT_PTR CALLBACK LicencePageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitLicencePage(page);
        return TRUE;
    case WM_COMMAND:
        return OnLicenceCommand(page, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

void InitLicencePage(HWND page)
{
    SetMonoFont(page, IDC_LICENCE_TEXT);
    SetResourceText(page, IDC_LICENCE_TEXT, "LICENSE");
    SetDlgItemTextA(page, IDC_LICENCE_ACCEPT,
                    "I accept the terms outlined in the EULA above and indicate so by placing a check here.");
}

INT_PTR OnLicenceCommand(HWND page, int id, int code)
{
    if (id != IDC_LICENCE_ACCEPT)
        return TRUE;
    if (code == BN_CLICKED)
        UpdateLicenceContinue(page);
    return FALSE;
}

void UpdateLicenceContinue(HWND page)
{
    EnableControl(setupState.frameWindow, IDC_CONTINUE, IsDlgButtonChecked(page, IDC_LICENCE_ACCEPT) != 0);
}

bool IsLicenceAccepted(HWND page)
{
    return IsDlgButtonChecked(page, IDC_LICENCE_ACCEPT) != 0;
}
