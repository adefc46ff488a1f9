// The tour: walks the whole wizard, installs, tells what each page showed and what was installed, saves pictures.
#include <cstdio>
#include <string>

#include "driver/driver.h"
#include "driver/install_checks.h"
#include "e2e/install_walk.h"
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

// Wine maps the Linux root to drive Z:.
static std::string UnixPath(std::string path)
{
    if (path.compare(0, 3, "Z:\\") == 0 || path.compare(0, 3, "z:\\") == 0)
        path.erase(0, 2);
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

static std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find("\r\n")) + " ... (" + std::to_string(text.size()) + " characters)";
}

void TourScenario()
{
    PrepareMachine();
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
    Show("agreement:", FirstLine(ControlText(licence, IDC_LICENCE_TEXT)));
    Show("check box:", ControlText(licence, IDC_LICENCE_ACCEPT));
    Show("Continue:", IsEnabled(frame, IDC_CONTINUE) ? "enabled" : "disabled until the box is ticked");
    SaveScreenshot(frame, "02-licence");

    HWND destination = WalkTo(frame, DestinationPage);
    printf("page 3, destination\n");
    Show("explanation:", ControlText(destination, IDC_DESTINATION_EXPLANATION));
    Show("folder:", ControlText(destination, IDC_DESTINATION_FOLDER));
    Show("disk space:", ControlText(destination, IDC_DISK_SPACE));
    const bool scopeChoice = IsShown(destination, IDC_SCOPE_GROUP);
    const bool allUsers = scopeChoice && IsChecked(destination, IDC_SCOPE_ALL_USERS);
    Show("shortcuts for:", !scopeChoice ? "the current user (no choice on this Windows)"
                           : allUsers   ? "all users"
                                        : "the current user");
    SaveScreenshot(frame, "03-destination");
    Installation installation = {ControlText(destination, IDC_DESTINATION_FOLDER), Build98,
                                 allUsers ? AllUsers : CurrentUser};

    printf("page 4, progress: installing\n");
    HWND finish = InstallToFinishPage(frame, "04-progress");
    printf("page 5, finish\n");
    Show("message:", ControlText(finish, IDC_FINISH_MESSAGE));
    Show("survival guide:", FirstLine(ControlText(finish, IDC_FINISH_TEXT)));
    Show("check box:", ControlText(finish, IDC_RUN_ON_EXIT));
    Show("buttons:", "Continue " + std::string(IsShown(frame, IDC_CONTINUE) ? "shown" : "hidden") + ", \""
                         + ControlText(frame, IDC_CANCEL) + "\"");
    SaveScreenshot(frame, "05-finish");

    installation.build = InstalledBuild(installation);
    printf("installed files (the %s build, each the bytes the build packed):\n",
           installation.build == BuildXP ? "XP and Vista" : "95/98/Me/NT/2000");
    ExpectInstalledFiles(installation, Listed);
    printf("shortcuts (read back with IShellLinkA):\n");
    ExpectShortcuts(installation, Listed);
    printf("registry values:\n");
    ExpectRegistryEntries(installation, Listed);

    printf("closing with Close, the box clear\n");
    CloseFinishPage(frame, installation, false);
    printf("setup.exe ended with exit code 1\n");
    std::string folder = BuildFolder() + "\\screenshots";
    printf("screenshots: %s (01-welcome.bmp to 05-finish.bmp)\n", UnixPath(folder).c_str());
}
