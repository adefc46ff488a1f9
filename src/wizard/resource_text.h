// Putting a raw-data text resource, which carries no terminating zero, into a control.
#pragma once
#include <windows.h>

// Sets the whole of RCDATA resource name as the text of control id of window: exactly the
// resource's bytes, nothing beyond them. A missing resource leaves the control empty.
void SetResourceText(HWND window, int id, const char* name);
