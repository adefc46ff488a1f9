// The page sequencer: the fixed order of the five pages, their guards, and the frame's buttons on the way.
#include "wizard/page_sequencer.h"

#include "resource_ids.h"
#include "setup/setup_state.h"
#include "wizard/destination_page.h"
#include "wizard/finish_page.h"
#include "wizard/licence_page.h"
#include "wizard/progress_page.h"
#include "wizard/welcome_page.h"
#include "wizard/window_utils.h"

static void DisableContinue(HWND frame)
{
    EnableControl(frame, IDC_CONTINUE, false);
}

static void HideContinue(HWND frame)
{
    ShowControl(frame, IDC_CONTINUE, false);
}

static void RelabelCancelAsClose(HWND frame)
{
    SetDlgItemTextA(frame, IDC_CANCEL, "Close");
}

struct PageRow {
    int templateId;
    DLGPROC procedure;
    bool (*mayLeave)(HWND page);    // null: the page may always be left
    void (*onEnter)(HWND frame);    // the frame's buttons as the page arrives; null: unchanged
};

// Row n is the page of pageState n + 1.
static const PageRow pages[] = {
    {IDD_WELCOME, WelcomePageProc, nullptr, nullptr},
    {IDD_LICENCE, LicencePageProc, IsLicenceAccepted, DisableContinue},
    {IDD_DESTINATION, DestinationPageProc, ValidateDestination, nullptr},
    {IDD_PROGRESS, ProgressPageProc, nullptr, HideContinue},
    {IDD_FINISH, FinishPageProc, nullptr, RelabelCancelAsClose},
};
enum { PageCount = sizeof pages / sizeof pages[0] };

static void PlaceCurrentPage(HWND frame)
{
    RECT area;
    GetWindowRect(GetDlgItem(frame, IDC_PLACEHOLDER), &area);
    MapWindowPoints(HWND_DESKTOP, frame, reinterpret_cast<POINT*>(&area), 2);
    SetWindowPos(setupState.pageWindow, nullptr, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

static bool MayLeaveCurrentPage()
{
    if (setupState.pageState == 0)
        return true;
    const PageRow& current = pages[setupState.pageState - 1];
    return current.mayLeave == nullptr || current.mayLeave(setupState.pageWindow);
}

void AdvancePage(HWND frame)
{
    if (setupState.pageState < PageCount && MayLeaveCurrentPage()) {
        const PageRow& next = pages[setupState.pageState];
        if (setupState.pageState != 0)
            DestroyWindow(setupState.pageWindow);
        if (next.onEnter != nullptr)
            next.onEnter(frame);
        setupState.pageWindow = CreateDialogParamA(setupState.instance, MAKEINTRESOURCEA(next.templateId), frame,
                                                   next.procedure, 0);
        setupState.pageState++;
    }
    PlaceCurrentPage(frame);
}
