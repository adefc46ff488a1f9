// Small window utilities the pages and passes share: control state, cached fonts, timed pump, launch.
#pragma once
#include <windows.h>

void EnableControl(HWND window, int id, bool on);
void ShowControl(HWND window, int id, bool on);

// Give control id of page the cached "Courier New" (height -12) or bold font, made on first use.
void SetMonoFont(HWND page, int id);
void SetBoldFont(HWND page, int id);

// Serves only the messages of window and its children for the given time, without blocking.
void WaitPumping(HWND window, DWORD milliseconds);

// Starts the installed main program from installDir with the shell's default verb.
void LaunchProduct(HWND window);
