// The destination page: the install folder, the disk space it needs, and the shortcut scope.
#pragma once
#include <windows.h>

INT_PTR CALLBACK DestinationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

void InitDestinationPage(HWND page);
INT_PTR OnDestinationCommand(HWND page, int id, int code);

// Puts the folder chosen in the shell's folder browser (rooted at My Computer) into the field.
void BrowseInstallFolder(HWND page);

// Brings back the folder proposed at start-up (installDir changes only on acceptance).
void ResetDestination(HWND page);

// allUsers follows the "Multiple Users" radio button.
void UpdateShortcutScope(HWND page);

// The decoded size of the files of the running Windows variant.
void ShowDiskSpace(HWND page);

// The sequencer's guard: refuses with a message box, or stores the final folder in installDir.
bool ValidateDestination(HWND page);
