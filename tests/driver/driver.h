// The UI driver's steps: start setup.exe, find its windows, read and click controls, check the end.
#pragma once
#include <windows.h>

#include <string>

// Ends the scenario as failed, with the reason on standard error.
[[noreturn]] void Fail(const char* format, ...);

// Tells Wine which Windows version to report to setup.exe ("win98", "winxp", ...); empty: default.
void SetWindowsVersion(const char* version);

// Starts setup.exe from the driver's own folder.
void StartSetup();

// Waits for the wizard frame (class "SetupDlg", caption "ZORVA Velmondo").
HWND WaitForFrame(DWORD milliseconds = 20000);

// Control text, visibility and state; a missing control fails the scenario.
HWND Control(HWND window, int id);
std::string ControlText(HWND window, int id);
bool IsShown(HWND window, int id);
bool IsEnabled(HWND window, int id);

// Clicks a button as a person would: a hidden or disabled one cannot be clicked.
void Click(HWND window, int id);

// Waits for setup.exe to end and returns its exit code.
DWORD WaitForExit(DWORD milliseconds = 20000);

// Saves a picture of the window into docs/screenshots/name.bmp of the source tree.
void SaveScreenshot(HWND window, const char* name);

// Checks a condition of the scenario.
#define EXPECT_THAT(condition, ...) \
    do { \
        if (!(condition)) \
            Fail(__VA_ARGS__); \
    } while (0)
