// The progress page: it runs the installation passes, 500 ms after it appears.
#pragma once
#include <windows.h>

enum { InstallTimerId = 2007, InstallDelayMilliseconds = 500 };

INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
