// The finish page: the completion message, the welcome text and the run-on-exit box.
#include "wizard/finish_page.h"

// The page's texts come with the installation passes; until then it shows its template.
INT_PTR CALLBACK FinishPageProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}
