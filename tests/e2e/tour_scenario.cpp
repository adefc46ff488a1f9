// The tour: walks to the destination page, tells what each page shows, saves pictures, and cancels.
#include <cstdio>
#include <string>

#include "driver/driver.h"
#include "e2e/wizard_scenarios.h"
#include "e2e/wizard_walk.h"
#include "resource_ids.h"

static void Show(const char* label, const std::string& text)
{
    std::string line = text;
    for (size_t at = line.find("\r\n"); at != std::string::npos; at = line.find("\r\n", at))
        line.replace(at, 2, " / ");
    printf("  %-22s %s\n", label, line.c_str());
}

void TourScenario()
{
    HWND frame = StartWizard(nullptr);
    HWND welcome = WaitForPage(frame, IDC_WELCOME_TEXT);
    printf("page 1, welcome\n");
    Show("title:", ControlText(welcome, IDC_WELCOME_TITLE));
    Show("text:", ControlText(welcome, IDC_WELCOME_TEXT));
    Show("special instructions:", IsShown(welcome, IDC_INSTRUCTIONS_HEADING) ? ControlText(welcome, IDC_INSTRUCTIONS_TEXT)
                                                                             : "none");
    Show("Continue:", IsEnabled(frame, IDC_CONTINUE) ? "enabled" : "disabled");
    SaveScreenshot(frame, "01-welcome");
    if (!IsEnabled(frame, IDC_CONTINUE)) {
        printf("setup cannot go on here; cancelling\n");
        Click(frame, IDC_CANCEL);
        printf("setup.exe ended with exit code %lu\n", WaitForExit());
        return;
    }

    HWND licence = WalkTo(frame, LicencePage);
    printf("page 2, licence\n");
    std::string agreement = ControlText(licence, IDC_LICENCE_TEXT);
    Show("agreement:", agreement.substr(0, agreement.find("\r\n")) + " ... (" + std::to_string(agreement.size())
                           + " characters)");
    Show("check box:", ControlText(licence, IDC_LICENCE_ACCEPT));
    Show("Continue:", IsEnabled(frame, IDC_CONTINUE) ? "enabled" : "disabled until the box is ticked");
    SaveScreenshot(frame, "02-licence");

    HWND destination = WalkTo(frame, DestinationPage);
    printf("page 3, destination\n");
    Show("explanation:", ControlText(destination, IDC_DESTINATION_EXPLANATION));
    Show("folder:", ControlText(destination, IDC_DESTINATION_FOLDER));
    Show("disk space:", ControlText(destination, IDC_DISK_SPACE));
    Show("shortcuts for:", !IsShown(destination, IDC_SCOPE_GROUP)         ? "(no choice on this Windows)"
                               : IsChecked(destination, IDC_SCOPE_ALL_USERS) ? "all users"
                                                                            : "the current user");
    SaveScreenshot(frame, "03-destination");

    printf("closing with Cancel\n");
    Click(frame, IDC_CANCEL);
    printf("setup.exe ended with exit code %lu\n", WaitForExit());
    printf("screenshots: build/<windows build>/screenshots/01-welcome.bmp, 02-licence.bmp, 03-destination.bmp\n");
}
