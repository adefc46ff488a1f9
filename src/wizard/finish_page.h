// The finish page: the completion message, the welcome text and the run-on-exit box.
#pragma once
#include <windows.h>

INT_PTR CALLBACK FinishPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
