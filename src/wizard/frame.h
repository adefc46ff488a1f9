// The wizard frame: its dialog procedure, centring, button commands and closing.
#pragma once
#include <windows.h>

// The frame's dialog procedure, run modally by start-up.
INT_PTR CALLBACK FrameDialogProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

void InitFrame(HWND frame);

// Centres window on the primary screen's full area (the task bar is not subtracted).
void CentreOnScreen(HWND window);

// Continue advances, Cancel closes; any other id, IDOK and IDCANCEL from the keys and
// the close box included, is ignored. Returns the dialog procedure's result.
INT_PTR OnFrameCommand(HWND frame, int id, int notification);

// Starts the product when the finish page asked for it, then ends the wizard.
void CloseWizard(HWND frame);
