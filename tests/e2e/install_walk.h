// Walking an installation: a clean machine, the progress page up to the finish page, and closing setup from there.
#pragma once
#include <windows.h>

#include "driver/install_checks.h"

// Stops a stand-in product left running, removes every trace of an installation, and gives
// the machine the search extensions' key that Windows has and Wine lacks.
void PrepareMachine();

// From the destination page: Continue, then the passes run on their own. Checks the finish
// page (texts, the welcome text, the box clear, Continue hidden, "Close") and returns it.
// With a name, saves a picture of the progress page half-way under that name.
HWND InstallToFinishPage(HWND frame, const char* progressScreenshot);

// Clicks Close: setup ends with exit code 1, and the installed main program runs afterwards
// exactly when productStarts; a started one is checked and closed again.
void CloseFinishPage(HWND frame, const Installation& installation, bool productStarts);

// Fails the scenario unless this process may write no more than limit bytes to a file, as
// under ulimit -f: a full disk that the driver cannot make would let the scenario pass untested.
void ExpectFileSizeLimit(DWORD limit);
