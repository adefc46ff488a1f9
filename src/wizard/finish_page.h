// The finish page: the completion message, the welcome text and the run-on-exit box.
#pragma once
#include <windows.h>

INT_PTR CALLBACK FinishPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the completion message, the welcome text in the monospace font and the box's caption.
void InitFinishPage(HWND page);

// Only the run-on-exit box is the page's own: its clicks update runOnExit (FALSE); any other
// id counts as handled (TRUE).
INT_PTR OnFinishCommand(HWND page, int id, int code);

// runOnExit follows the box: 1 ticked, 0 not.
void UpdateRunOnExit(HWND page);
