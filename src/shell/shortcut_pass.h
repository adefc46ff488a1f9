// The shortcut pass: the Start-menu group with a shortcut per named row, and the desktop shortcut.
#pragma once
#include <cstdint>
#include <windows.h>

#include "resource_ids.h"

// Controls of the progress page that the pass reports in.
enum { ShortcutStatusId = IDC_SHORTCUT_STATUS, ShortcutProgressId = IDC_SHORTCUT_PROGRESS };

// Makes the shortcuts for the current user or all users (setupState.allUsers),
// reporting in page's controls and pausing on page between them. False only when COM
// cannot be initialised for this thread (an apartment someone else already entered
// included), and then before anything is made or shown; a single shortcut that
// cannot be made is passed over.
bool CreateShortcuts(HWND page);

// The file-system path of a special folder; false with out empty when the shell
// cannot locate it or the path does not fit size bytes.
bool GetSpecialFolder(char* out, int16_t size, int csidl);

// Writes one shortcut file with target, working folder and description; reports nothing.
void CreateShellLink(const char* target, const char* workingFolder, const char* linkPath, const char* description);
