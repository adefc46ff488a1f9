// The progress page: it runs the installation passes once, 500 ms after it appears, and tells the frame how they ended.
#pragma once
#include <windows.h>

enum { InstallTimerId = 2007, InstallDelayMilliseconds = 500 };

INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the file, shortcut and registry passes, then posts Continue to the frame, or aborts
// when the file or shortcut pass failed. Returns 0.
INT_PTR OnInstallTimer(HWND page, UINT_PTR timerId);

// Tells the user that the installation was aborted and posts Cancel to the frame.
void AbortInstallation();
