// The wizard frame's dialog procedure.
#pragma once
#include <windows.h>

INT_PTR CALLBACK FrameDialogProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
