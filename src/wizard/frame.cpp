// The wizard frame: its dialog procedure, centring, button commands and closing.
#include "wizard/frame.h"

#include "banner/banner_paint.h"
#include "resource_ids.h"
#include "setup/setup_state.h"
#include "wizard/page_sequencer.h"
#include "wizard/window_utils.h"

INT_PTR CALLBACK FrameDialogProc(HWND frame, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_PAINT:
        // PaintBanner validates the window even when it has no picture: an update region
        // left behind would keep WM_PAINT ahead of WM_TIMER forever, and the progress
        // page's timer would never fire.
        return PaintBanner(frame);
    case WM_INITDIALOG:
        InitFrame(frame);
        return TRUE;
    case WM_COMMAND:
        return OnFrameCommand(frame, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

void InitFrame(HWND frame)
{
    setupState.frameWindow = frame;
    CentreOnScreen(frame);
    AdvancePage(frame);
}

void CentreOnScreen(HWND window)
{
    RECT bounds;
    GetWindowRect(window, &bounds);
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    MoveWindow(window, x, y, width, height, FALSE);
}

INT_PTR OnFrameCommand(HWND frame, int id, int notification)
{
    switch (id) {
    case IDC_CONTINUE:
        if (notification == BN_CLICKED)
            AdvancePage(frame);
        return FALSE;
    case IDC_CANCEL:
        if (notification == BN_CLICKED)
            CloseWizard(frame);
        return FALSE;
    }
    return TRUE;
}

void CloseWizard(HWND frame)
{
    if (setupState.runOnExit != 0)
        LaunchProduct(frame);
    DestroyWindow(setupState.pageWindow);
    EndDialog(frame, 1);
}
