// Walking the wizard: starting setup under a Windows version and reaching a page the way a person does.
#pragma once
#include <windows.h>

#include <string>

enum WizardPage { WelcomePage = 1, LicencePage, DestinationPage, ProgressPage };

// A control that only the page holds, by which the driver knows the page.
int PageMarker(WizardPage page);

// Starts setup with Wine reporting windowsVersion (null: the prefix's default) and waits
// for the frame with its welcome page.
HWND StartWizard(const char* windowsVersion);

// From the page shown, clicks on to page (ticking the licence box, keeping the proposed
// folder) and returns it.
HWND WalkTo(HWND frame, WizardPage page);

// Fails the scenario unless control id of window reads exactly expected.
void ExpectText(HWND window, int id, const std::string& expected);

// The title of the welcome page, with this year in its rights notice.
std::string WelcomeTitle();

// The frame is centred on the screen and the page lies exactly over the placeholder.
void ExpectFrameLayout(HWND frame, HWND page);

// Clicks Cancel and expects setup to end with exit code 1.
void CancelSetup(HWND frame);
