// The progress page: it runs the installation passes, 500 ms after it appears.
#include "wizard/progress_page.h"

// The passes are not wired in yet: the page only arms its one-shot timer, so that it is
// drawn before any work would begin, and ignores the tick.
INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SetTimer(page, InstallTimerId, InstallDelayMilliseconds, nullptr);
        return TRUE;
    }
    return FALSE;
}
