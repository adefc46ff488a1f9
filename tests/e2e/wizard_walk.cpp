// Walking the wizard: starting setup under a Windows version and reaching a page the way a person does.
#include "e2e/wizard_walk.h"

#include <cstdio>

#include "driver/driver.h"
#include "resource_ids.h"

int PageMarker(WizardPage page)
{
    switch (page) {
    case WelcomePage: return IDC_WELCOME_TEXT;
    case LicencePage: return IDC_LICENCE_ACCEPT;
    case DestinationPage: return IDC_DESTINATION_FOLDER;
    case ProgressPage: return IDC_FILE_STATUS;
    }
    Fail("no such page %d", page);
}

HWND StartWizard(const char* windowsVersion)
{
    SetWindowsVersion(windowsVersion);
    StartSetup();
    HWND frame = WaitForFrame();
    WaitForPage(frame, PageMarker(WelcomePage));
    return frame;
}

static WizardPage CurrentPage(HWND frame)
{
    DWORD start = GetTickCount();
    do {
        for (int page = WelcomePage; page <= ProgressPage; page++) {
            if (FindPage(frame, PageMarker(static_cast<WizardPage>(page))) != nullptr)
                return static_cast<WizardPage>(page);
        }
        Sleep(20);
    } while (GetTickCount() - start < 10000);
    Fail("the frame shows no page the driver knows");
}

HWND WalkTo(HWND frame, WizardPage page)
{
    WizardPage current = CurrentPage(frame);
    EXPECT_THAT(current <= page, "the wizard is past page %d already", page);
    HWND shown = WaitForPage(frame, PageMarker(current));
    while (current < page) {
        if (current == LicencePage && !IsChecked(shown, IDC_LICENCE_ACCEPT))
            Click(shown, IDC_LICENCE_ACCEPT);
        Click(frame, IDC_CONTINUE);
        current = static_cast<WizardPage>(current + 1);
        shown = WaitForPage(frame, PageMarker(current));
    }
    return shown;
}

void ExpectText(HWND window, int id, const std::string& expected)
{
    std::string text = ControlText(window, id);
    EXPECT_THAT(text == expected, "control %d reads \"%s\", expected \"%s\"", id, text.c_str(), expected.c_str());
}

std::string WelcomeTitle()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char title[160];
    snprintf(title, sizeof title,
             "ZORVA Quorel Setup For Microsoft Windows - All Versions\r\n"
             "Copyright (C) 1998-%d ZORVA. All rights reserved.",
             now.wYear);
    return title;
}

static bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void ExpectFrameLayout(HWND frame, HWND page)
{
    RECT bounds;
    GetWindowRect(frame, &bounds);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (bounds.right - bounds.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (bounds.bottom - bounds.top)) / 2;
    EXPECT_THAT(bounds.left == x && bounds.top == y, "the frame is at %ld,%ld, not centred at %d,%d", bounds.left,
                bounds.top, x, y);
    RECT area, placed;
    GetWindowRect(Control(frame, IDC_PLACEHOLDER), &area);
    GetWindowRect(page, &placed);
    EXPECT_THAT(SameRect(area, placed), "the page lies at %ld,%ld-%ld,%ld, the placeholder at %ld,%ld-%ld,%ld",
                placed.left, placed.top, placed.right, placed.bottom, area.left, area.top, area.right, area.bottom);
    EXPECT_THAT(!IsShown(frame, IDC_PLACEHOLDER), "the placeholder is visible");
}

void CancelSetup(HWND frame)
{
    Click(frame, IDC_CANCEL);
    DWORD code = WaitForExit();
    EXPECT_THAT(code == 1, "setup ended with exit code %lu, expected 1", code);
}
