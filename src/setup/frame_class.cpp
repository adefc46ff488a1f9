// Registration of the frame's window class, derived from the system dialog class.
#include "setup/frame_class.h"

#include <windows.h>

#include "resource_ids.h"
#include "setup/setup_state.h"

bool RegisterFrameClass()
{
    WNDCLASSEXA frameClass;
    ZeroMemory(&frameClass, sizeof frameClass);
    frameClass.cbSize = sizeof frameClass;
    if (!GetClassInfoExA(nullptr, MAKEINTATOM(0x8002), &frameClass))
        return false;
    // The template names this class, so the frame gets our icon while behaving
    // exactly as the system dialog class (style, cursor and brush stay its own).
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = DefDlgProcA;
    frameClass.cbWndExtra = DLGWINDOWEXTRA;
    frameClass.hInstance = setupState.instance;
    frameClass.hIcon = LoadIconA(setupState.instance, MAKEINTRESOURCEA(IDI_SETUP));
    frameClass.hIconSm = static_cast<HICON>(
        LoadImageA(setupState.instance, MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    frameClass.lpszClassName = "SetupDlg";
    return RegisterClassExA(&frameClass) != 0;
}
