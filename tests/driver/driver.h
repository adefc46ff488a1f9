// The UI driver's steps: start setup.exe, find its windows, read, type and click as a person does.
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

// The frame's page when it is the only one and holds control id; null otherwise.
HWND FindPage(HWND frame, int id);

// Waits until the frame shows exactly one page, the one holding control id, and returns it.
HWND WaitForPage(HWND frame, int id, DWORD milliseconds = 10000);

// Control text, visibility and state; a missing control fails the scenario.
HWND Control(HWND window, int id);
std::string ControlText(HWND window, int id);
bool IsShown(HWND window, int id);
bool IsEnabled(HWND window, int id);
bool IsChecked(HWND window, int id);

// Clicks a button as a person would (a hidden or disabled one cannot be clicked) and
// waits until setup has taken the click.
void Click(HWND window, int id);

// Replaces the text of an edit box key by key, as typing does: the box's own limit applies.
void TypeText(HWND window, int id, const std::string& text);

// Presses a key where setup's keyboard focus is (the frame when no control has it).
void PressKey(WORD key);

// Clicks the frame's close box (the system menu's Close command).
void ClickCloseBox(HWND frame);

// Waits until setup has handled every message sent to it so far; false when it has ended.
bool Settle(HWND frame);

// Waits for setup's message box titled "ZORVA Setup", checks that it is modal to the
// frame, reads its text, presses OK and waits until it is gone. Returns the text.
std::string AnswerMessageBox(HWND frame, DWORD milliseconds = 10000);

// Waits for setup.exe to end and returns its exit code.
DWORD WaitForExit(DWORD milliseconds = 20000);
bool SetupHasEnded();

// The raw-data resource name of setup.exe as text, read from the file itself.
std::string SetupResourceText(const char* name);

// The build folder: the driver runs from its bin folder, beside setup.exe.
std::string BuildFolder();

// Saves a picture of the window as screenshots/name.bmp in the build folder, once setup has
// handled what it was sent and painted.
void SaveScreenshot(HWND window, const char* name);

// The same at once, for a window whose frame setup does not serve at the moment (the
// installation passes serve only the progress page).
void CaptureWindow(HWND window, const char* name);

// Checks a condition of the scenario.
#define EXPECT_THAT(condition, ...) \
    do { \
        if (!(condition)) \
            Fail(__VA_ARGS__); \
    } while (0)
