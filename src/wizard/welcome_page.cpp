// The welcome page: title, greeting, and the instruction that stops a run that cannot succeed.
#include "wizard/welcome_page.h"

#include "resource_ids.h"
#include "setup/install_manifest.h"
#include "setup/setup_state.h"
#include "util/bounded_text.h"
#include "wizard/window_utils.h"

enum { PageTextSize = 256 };

static const char filesInUseText[] =
    "Setup has detected that one or more files it needs to replace are currently loaded in memory. "
    "It is strongly recommended that you quit all running programs and restart your computer before you "
    "continue.";
static const char notAdminText[] =
    "Setup has detected that it cannot continue in the current user mode. Please exit and run setup again "
    "in the Administrative mode. For more information, please consult your Windows help documentation.";

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitWelcomePage(page);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(
            ColourWelcomeTitle(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    }
    return FALSE;
}

void InitWelcomePage(HWND page)
{
    SetBoldFont(page, IDC_INTRODUCTION_HEADING);
    SetBoldFont(page, IDC_INSTRUCTIONS_HEADING);

    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[PageTextSize];
    FormatText(text, sizeof text,
               "ZORVA Quorel Setup For Microsoft Windows - All Versions\r\n"
               "Copyright (C) 1998-%i ZORVA. All rights reserved.",
               now.wYear);
    SetDlgItemTextA(page, IDC_WELCOME_TITLE, text);

    FormatText(text, sizeof text,
               "Welcome to the new ZORVA installation wizard. This setup utility will guide you through a few "
               "simple steps to install the ZORVA %s software on your computer. Click the Continue button "
               "below now to being...",
               installManifest.productName);
    SetDlgItemTextA(page, IDC_WELCOME_TEXT, text);

    if (setupState.filesInUse) {
        EnableControl(setupState.frameWindow, IDC_CONTINUE, false);
        SetDlgItemTextA(page, IDC_INSTRUCTIONS_TEXT, filesInUseText);
    } else if (setupState.notAdmin) {
        EnableControl(setupState.frameWindow, IDC_CONTINUE, false);
        SetDlgItemTextA(page, IDC_INSTRUCTIONS_TEXT, notAdminText);
    } else {
        ShowControl(page, IDC_INSTRUCTIONS_HEADING, false);
    }
}

HBRUSH ColourWelcomeTitle(HDC dc, HWND control)
{
    if (GetDlgCtrlID(control) != IDC_WELCOME_TITLE)
        return nullptr;
    SetTextColor(dc, RGB(0, 0, 128));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}
