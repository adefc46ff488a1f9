// The wizard frame's dialog procedure: for now it shows the frame with its banner and ends on Cancel.
#include "wizard/frame.h"

#include "banner/banner_paint.h"
#include "resource_ids.h"
#include "setup/setup_state.h"

INT_PTR CALLBACK FrameDialogProc(HWND frame, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        setupState.frameWindow = frame;
        return TRUE;
    case WM_PAINT:
        return PaintBanner(frame);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_CANCEL && HIWORD(wParam) == 0) {
            EndDialog(frame, 0);
            return FALSE;
        }
        return TRUE;
    }
    return FALSE;
}
