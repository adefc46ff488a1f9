// The licence page: the agreement from the "LICENSE" resource and the box that lets Continue through.
#pragma once
#include <windows.h>

INT_PTR CALLBACK LicencePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

void InitLicencePage(HWND page);
INT_PTR OnLicenceCommand(HWND page, int id, int code);

// Continue is enabled exactly while the box is ticked.
void UpdateLicenceContinue(HWND page);

// The sequencer's guard for leaving the page.
bool IsLicenceAccepted(HWND page);
