// The page sequencer: the fixed order of the five pages, their guards, and the frame's buttons on the way.
#pragma once
#include <windows.h>

// One step forward from setupState.pageState; a guard that refuses keeps the page. The
// current page is placed over the frame's placeholder after every step.
void AdvancePage(HWND frame);
