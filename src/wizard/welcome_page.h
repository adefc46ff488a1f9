// The welcome page: title, greeting, and the instruction that stops a run that cannot succeed.
#pragma once
#include <windows.h>

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

void InitWelcomePage(HWND page);

// The brush for the title (navy on the button face); null for every other static.
HBRUSH ColourWelcomeTitle(HDC dc, HWND control);
