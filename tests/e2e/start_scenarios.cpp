// Scenarios of start and end: the frame appears and Cancel ends setup with exit code 1.
#include "driver/driver.h"
#include "driver/scenarios.h"

#include <cstdio>

#include "resource_ids.h"

static void CancelAtOnce()
{
    SetWindowsVersion("win7");
    StartSetup();
    HWND frame = WaitForFrame();
    char className[64];
    GetClassNameA(frame, className, sizeof className);
    EXPECT_THAT(lstrcmpA(className, "SetupDlg") == 0, "frame class is %s", className);
    EXPECT_THAT(ControlText(frame, IDC_CANCEL) == "Cancel", "Cancel reads %s", ControlText(frame, IDC_CANCEL).c_str());
    EXPECT_THAT(ControlText(frame, IDC_CONTINUE) == "Continue", "Continue reads %s",
                ControlText(frame, IDC_CONTINUE).c_str());
    Click(frame, IDC_CANCEL);
    DWORD code = WaitForExit();
    EXPECT_THAT(code == 1, "exit code %lu, expected 1", code);
}

static void Tour()
{
    SetWindowsVersion(nullptr);
    StartSetup();
    HWND frame = WaitForFrame();
    printf("setup.exe shows its frame \"ZORVA Velmondo\" (the pages come with the wizard)\n");
    SaveScreenshot(frame, "frame");
    printf("closing it with Cancel\n");
    Click(frame, IDC_CANCEL);
    printf("setup.exe ended with exit code %lu\n", WaitForExit());
}

const Scenario scenarios[] = {
    {"cancel", CancelAtOnce},
    {"tour", Tour},
    {nullptr, nullptr},
};
