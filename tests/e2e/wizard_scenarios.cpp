// Scenarios of the wizard's first pages: the walk, the refusals, Cancel, the keys, and the start-up faults.
#include "e2e/wizard_scenarios.h"

#include <string>

#include "driver/driver.h"
#include "driver/machine.h"
#include "e2e/wizard_walk.h"
#include "resource_ids.h"

static const char welcomeText[] =
    "Welcome to the new ZORVA installation wizard. This setup utility will guide you through a few simple steps "
    "to install the ZORVA Velmondo software on your computer. Click the Continue button below now to being...";
static const char acceptText[] =
    "I accept the terms outlined in the EULA above and indicate so by placing a check here.";
static const char explanationText[] =
    "The program files for ZORVA Velmondo will be installed to the following default location. It is recommended "
    "that you do not change the location below as it is optimized especially for program files to help them "
    "start faster and run smoother.";
static const char filesInUseText[] =
    "Setup has detected that one or more files it needs to replace are currently loaded in memory. It is strongly "
    "recommended that you quit all running programs and restart your computer before you continue.";
static const char notAdminText[] =
    "Setup has detected that it cannot continue in the current user mode. Please exit and run setup again in the "
    "Administrative mode. For more information, please consult your Windows help documentation.";

static void ExpectContinue(HWND frame, bool enabled)
{
    EXPECT_THAT(IsShown(frame, IDC_CONTINUE), "Continue is hidden");
    EXPECT_THAT(IsEnabled(frame, IDC_CONTINUE) == enabled, "Continue is %s", enabled ? "disabled" : "enabled");
}

// Welcome -> licence -> destination with its refusals -> progress, under Windows 7.
void WalkScenario()
{
    ForgetInstallation();
    HWND frame = StartWizard("win7");

    HWND welcome = WaitForPage(frame, PageMarker(WelcomePage));
    ExpectFrameLayout(frame, welcome);
    ExpectText(welcome, IDC_WELCOME_TITLE, WelcomeTitle());
    ExpectText(welcome, IDC_WELCOME_TEXT, welcomeText);
    EXPECT_THAT(!IsShown(welcome, IDC_INSTRUCTIONS_HEADING), "special instructions shown without a fault");
    ExpectText(welcome, IDC_INSTRUCTIONS_TEXT, "");
    ExpectContinue(frame, true);
    ExpectText(frame, IDC_CANCEL, "Cancel");
    SaveScreenshot(frame, "01-welcome");

    Click(frame, IDC_CONTINUE);
    HWND licence = WaitForPage(frame, PageMarker(LicencePage));
    ExpectFrameLayout(frame, licence);
    ExpectContinue(frame, false);
    std::string licenceText = SetupResourceText("LICENSE");
    EXPECT_THAT(ControlText(licence, IDC_LICENCE_TEXT) == licenceText,
                "the licence box does not hold exactly the %u bytes of the LICENSE resource",
                unsigned(licenceText.size()));
    ExpectText(licence, IDC_LICENCE_ACCEPT, acceptText);
    EXPECT_THAT(!IsChecked(licence, IDC_LICENCE_ACCEPT), "the licence box starts ticked");
    for (bool ticked : {true, false, true}) {
        Click(licence, IDC_LICENCE_ACCEPT);
        EXPECT_THAT(IsChecked(licence, IDC_LICENCE_ACCEPT) == ticked, "the box did not toggle");
        ExpectContinue(frame, ticked);
    }
    SaveScreenshot(frame, "02-licence");

    Click(frame, IDC_CONTINUE);
    HWND destination = WaitForPage(frame, PageMarker(DestinationPage));
    ExpectFrameLayout(frame, destination);
    ExpectText(destination, IDC_DESTINATION_EXPLANATION, explanationText);
    ExpectText(destination, IDC_DESTINATION_FOLDER, defaultInstallDir);
    ExpectText(destination, IDC_DISK_SPACE, "597 KB");
    EXPECT_THAT(IsShown(destination, IDC_SCOPE_GROUP), "the shortcut scope is hidden on an NT system");
    EXPECT_THAT(IsChecked(destination, IDC_SCOPE_ALL_USERS) && !IsChecked(destination, IDC_SCOPE_SINGLE_USER),
                "all users is not the preselected scope");
    ExpectContinue(frame, true);
    SaveScreenshot(frame, "03-destination");

    const std::string overlong = "C:\\" + std::string(300, 'a');
    const struct {
        std::string typed;
        const char* reason;
    } refusals[] = {
        {"", "Path may not be empty!"},
        {"C:", "Missing : or \\ in drive."},
        {"\\\\server\\share", "Missing : or \\ in drive."},
        {"C:\\", "Path may not be a root drive..."},
        {overlong, "Path may not be longer than 235 characters!"},
    };
    for (const auto& refusal : refusals) {
        TypeText(destination, IDC_DESTINATION_FOLDER, refusal.typed);
        std::string shown = refusal.typed.substr(0, 259);  // what the field takes
        ExpectText(destination, IDC_DESTINATION_FOLDER, shown);
        Click(frame, IDC_CONTINUE);
        std::string message = AnswerMessageBox(frame);
        std::string expected = std::string("Path Invalid!\r\n\r\n") + refusal.reason;
        EXPECT_THAT(message == expected, "refusing \"%s\" says \"%s\"", refusal.typed.c_str(), message.c_str());
        EXPECT_THAT(WaitForPage(frame, PageMarker(DestinationPage)) == destination, "the refusal left the page");
        ExpectText(destination, IDC_DESTINATION_FOLDER, shown);
        ExpectContinue(frame, true);
    }

    Click(destination, IDC_DESTINATION_RESET);
    ExpectText(destination, IDC_DESTINATION_FOLDER, defaultInstallDir);

    TypeText(destination, IDC_DESTINATION_FOLDER, "C:\\Apps");
    Click(frame, IDC_CONTINUE);
    HWND progress = WaitForPage(frame, PageMarker(ProgressPage));
    ExpectFrameLayout(frame, progress);
    EXPECT_THAT(!IsShown(frame, IDC_CONTINUE), "Continue is still shown on the progress page");
    EXPECT_THAT(IsShown(frame, IDC_CANCEL) && IsEnabled(frame, IDC_CANCEL), "Cancel cannot be clicked");
    ExpectText(frame, IDC_CANCEL, "Cancel");
    // The checks above may outlast the page's first 500 ms, and then the installation runs
    // before Cancel is taken: whether nothing is installed is cancel_before_install's to judge.
    CancelSetup(frame);
    ForgetInstallation();
    RemovePath("C:\\Apps");
}

// The disk space and the shortcut scope follow the Windows version.
void DestinationByVersionScenario()
{
    const struct {
        const char* version;
        const char* diskSpace;
        bool scopeChoice;
    } versions[] = {
        {"winxp", "694 KB", true},
        {"vista", "694 KB", true},
        {"win98", "597 KB", false},
    };
    for (const auto& row : versions) {
        ForgetInstallation();
        HWND frame = StartWizard(row.version);
        HWND destination = WalkTo(frame, DestinationPage);
        std::string diskSpace = ControlText(destination, IDC_DISK_SPACE);
        EXPECT_THAT(diskSpace == row.diskSpace, "%s: disk space %s, expected %s", row.version, diskSpace.c_str(),
                    row.diskSpace);
        for (int id : {IDC_SCOPE_GROUP, IDC_SCOPE_SINGLE_USER, IDC_SCOPE_ALL_USERS})
            EXPECT_THAT(IsShown(destination, id) == row.scopeChoice, "%s: control %d is %s", row.version, id,
                        row.scopeChoice ? "hidden" : "shown");
        if (row.scopeChoice)
            EXPECT_THAT(IsChecked(destination, IDC_SCOPE_ALL_USERS), "%s: all users is not preselected", row.version);
        CancelSetup(frame);
    }
}

// Cancel on any page before the progress page ends setup with exit code 1 and leaves nothing
// behind (on the progress page: cancel_before_install).
void CancelOnEachPageScenario()
{
    for (WizardPage page : {WelcomePage, LicencePage, DestinationPage}) {
        ForgetInstallation();
        HWND frame = StartWizard("win7");
        WalkTo(frame, page);
        CancelSetup(frame);
        ExpectNothingInstalled();
    }
}

// Enter, Escape and the close box leave every page as it was.
void KeysDoNothingScenario()
{
    ForgetInstallation();
    HWND frame = StartWizard("win7");
    for (WizardPage page : {WelcomePage, LicencePage, DestinationPage}) {
        HWND shown = WalkTo(frame, page);
        if (page == LicencePage)
            Click(shown, IDC_LICENCE_ACCEPT);  // so that a stray IDOK could move on
        bool continueEnabled = IsEnabled(frame, IDC_CONTINUE);
        PressKey(VK_RETURN);
        PressKey(VK_ESCAPE);
        ClickCloseBox(frame);
        EXPECT_THAT(Settle(frame), "setup ended on Enter, Escape or the close box on page %d", page);
        EXPECT_THAT(FindPage(frame, PageMarker(page)) == shown, "a key moved on from page %d", page);
        EXPECT_THAT(IsEnabled(frame, IDC_CONTINUE) == continueEnabled, "a key changed Continue on page %d", page);
    }
    CancelSetup(frame);
}

// A file of the product held open, or no rights to write the machine's registry: the
// welcome page says so and Continue stays disabled.
void StartupFaultsScenario()
{
    const std::string heldFile = std::string(defaultInstallDir) + "\\Velmondo.chm";
    const struct {
        const char* name;
        bool fileInUse;
        bool noRights;
        const char* instruction;
    } faults[] = {
        {"file in use", true, false, filesInUseText},
        {"no administrative rights", false, true, notAdminText},
        {"both", true, true, filesInUseText},
    };
    for (const auto& fault : faults) {
        ForgetInstallation();
        HANDLE held = INVALID_HANDLE_VALUE;
        if (fault.fileInUse) {
            CreateFileWithFolders(heldFile);
            held = HoldFileOpen(heldFile);
        }
        if (fault.noRights)
            MakeProgramsKeyVolatile();
        HWND frame = StartWizard("win7");
        HWND welcome = WaitForPage(frame, PageMarker(WelcomePage));
        EXPECT_THAT(IsShown(welcome, IDC_INSTRUCTIONS_HEADING), "%s: no special instructions", fault.name);
        std::string instruction = ControlText(welcome, IDC_INSTRUCTIONS_TEXT);
        EXPECT_THAT(instruction == fault.instruction, "%s: the instruction reads \"%s\"", fault.name,
                    instruction.c_str());
        EXPECT_THAT(!IsEnabled(frame, IDC_CONTINUE), "%s: Continue is enabled", fault.name);
        if (fault.fileInUse && fault.noRights)
            SaveScreenshot(frame, "01-welcome-faults");
        CancelSetup(frame);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        if (fault.noRights)
            RestoreProgramsKey();
    }
    ForgetInstallation();
}
