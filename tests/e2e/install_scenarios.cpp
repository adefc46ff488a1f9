// The end-to-end scenarios of the installation: a full install per Windows version, a second run, the aborts.
#include "e2e/install_scenarios.h"

#include <cstdio>
#include <string>

#include "driver/driver.h"
#include "driver/install_checks.h"
#include "driver/machine.h"
#include "e2e/install_walk.h"
#include "e2e/wizard_walk.h"
#include "resource_ids.h"

namespace {

const char fileFailureText[] = "Unable to create destination file!\r\nInstallation will now be aborted.";
const char abortText[] =
    "Installation Aborted!\r\n\r\nZORVA Velmondo could not be installed at this time.\r\n"
    "Please restart your computer before running setup again.";

// From the destination page into the progress page, where setup fails: the file pass's
// message, then the abort message, then setup ends with exit code 1.
void ExpectAbortedInstallation(HWND frame)
{
    Click(frame, IDC_CONTINUE);
    WaitForPage(frame, PageMarker(ProgressPage));
    const char* expected[] = {fileFailureText, abortText};
    for (const char* text : expected) {
        std::string shown = AnswerMessageBox(frame, 15000);
        EXPECT_THAT(shown == text, "setup says \"%s\", expected \"%s\"", shown.c_str(), text);
    }
    DWORD code = WaitForExit();
    EXPECT_THAT(code == 1, "setup ended with exit code %lu, expected 1", code);
}

// What an aborted file pass leaves: the files before the failing one, complete; no shortcut,
// no registry entry.
void ExpectEarlierFilesOnly(const Installation& installation)
{
    const std::string uninstaller = InstalledFile(installation, "QXTCleanup.exe");
    EXPECT_THAT(PathIsFile(uninstaller)
                    && ReadWholeFile(uninstaller) == PackedStandIn(installation.build, "QXTCleanup.exe"),
                "%s, written before the failure, is not there complete", uninstaller.c_str());
    for (const char* later : {"Velmondo.chm", "Renovix.exe", "QTXCtxMenu.dll"})
        EXPECT_THAT(!PathIsFile(InstalledFile(installation, later)), "%s was written after the failure", later);
    ExpectNoShortcuts();
    ExpectNoRegistryEntries(installation);
}

}  // namespace

// A full installation under each class of Windows: the variant's files, the shortcuts of the
// scope chosen, every registry value, the finish page, and the program started on Close
// only when the box is ticked last.
void InstallByVersionScenario()
{
    const struct {
        const char* version;
        ProgramBuild build;
        bool scopeChoice;     // the destination page offers the shortcut scope
        ShortcutScope scope;  // the one installed (all users unless the row picks the current user)
        int boxClicks;        // on the run-on-exit box: ticked when odd
        const char* screenshots;
    } versions[] = {
        {"win98", Build98, false, CurrentUser, 0, nullptr},
        {"win7", Build98, true, AllUsers, 1, "04-progress"},
        {"winxp", BuildXP, true, AllUsers, 2, nullptr},
        {"vista", BuildXP, true, CurrentUser, 1, nullptr},
    };
    for (const auto& row : versions) {
        printf("%s\n", row.version);
        PrepareMachine();
        const Installation installation = {defaultInstallDir, row.build, row.scope};
        HWND frame = StartWizard(row.version);
        HWND destination = WalkTo(frame, DestinationPage);
        EXPECT_THAT(IsShown(destination, IDC_SCOPE_GROUP) == row.scopeChoice, "%s: the shortcut scope is %s",
                    row.version, row.scopeChoice ? "hidden" : "offered");
        if (row.scopeChoice && row.scope == CurrentUser)
            Click(destination, IDC_SCOPE_SINGLE_USER);
        HWND finish = InstallToFinishPage(frame, row.screenshots);
        if (row.screenshots != nullptr)
            SaveScreenshot(frame, "05-finish");
        ExpectInstalledFiles(installation);
        ExpectShortcuts(installation);
        ExpectRegistryEntries(installation);
        for (int click = 1; click <= row.boxClicks; click++) {
            Click(finish, IDC_RUN_ON_EXIT);
            EXPECT_THAT(IsChecked(finish, IDC_RUN_ON_EXIT) == (click % 2 == 1), "%s: the box did not toggle",
                        row.version);
        }
        CloseFinishPage(frame, installation, row.boxClicks % 2 == 1);
    }
}

// A second run proposes the first run's folder and clears it before writing: files the
// user added go, sub-folders stay, and a folder whose name begins with a dot is not entered.
void SecondRunScenario()
{
    const std::string root = "C:\\Apps";
    const Installation installation = {root + "\\Velmondo", Build98, AllUsers};
    RemovePath(root);
    PrepareMachine();

    HWND frame = StartWizard("win7");
    HWND destination = WalkTo(frame, DestinationPage);
    TypeText(destination, IDC_DESTINATION_FOLDER, installation.installDir);
    InstallToFinishPage(frame, nullptr);
    CloseFinishPage(frame, installation, false);

    const std::string added = installation.installDir + "\\notes.txt";
    const std::string inSubFolder = installation.installDir + "\\projects\\search.z_vlm";
    const std::string inDotFolder = installation.installDir + "\\.cache\\index.dat";
    for (const std::string& path : {added, inSubFolder, inDotFolder})
        CreateFileWithFolders(path);

    frame = StartWizard("win7");
    destination = WalkTo(frame, DestinationPage);
    ExpectText(destination, IDC_DESTINATION_FOLDER, installation.installDir);
    InstallToFinishPage(frame, nullptr);
    EXPECT_THAT(!PathIsFile(added), "%s survived the second run", added.c_str());
    EXPECT_THAT(!PathIsFile(inSubFolder), "%s survived the second run", inSubFolder.c_str());
    EXPECT_THAT(PathIsFolder(installation.installDir + "\\projects"), "the sub-folder was removed");
    EXPECT_THAT(PathIsFile(inDotFolder), "%s was deleted: setup entered a dot folder", inDotFolder.c_str());
    ExpectInstalledFiles(installation);
    ExpectShortcuts(installation);
    ExpectRegistryEntries(installation);
    CloseFinishPage(frame, installation, false);
    RemovePath(root);
}

// A folder stands where the main program must be written: both messages, in order; the
// uninstaller written before it stays; no shortcut and no registry entry is made.
void BlockedDestinationScenario()
{
    PrepareMachine();
    const Installation installation = {defaultInstallDir, Build98, AllUsers};
    const std::string blocked = InstalledFile(installation, "Velmondo.exe");
    CreateFileWithFolders(blocked + "\\placeholder.txt");
    HWND frame = StartWizard("win7");
    WalkTo(frame, DestinationPage);
    ExpectAbortedInstallation(frame);
    EXPECT_THAT(PathIsFolder(blocked), "the folder at %s is gone", blocked.c_str());
    ExpectEarlierFilesOnly(installation);
    EXPECT_THAT(!ProductIsRunning(), "the product was started after an aborted installation");
}

// The disk fills up while the main program is written (run under ulimit -f 200, see
// scenarios.cmake): the same two messages, and no truncated Velmondo.exe left behind.
void FullDiskScenario()
{
    ExpectFileSizeLimit(300 * 1024);
    PrepareMachine();
    const Installation installation = {defaultInstallDir, Build98, AllUsers};
    HWND frame = StartWizard("win7");
    WalkTo(frame, DestinationPage);
    ExpectAbortedInstallation(frame);
    const std::string program = InstalledFile(installation, "Velmondo.exe");
    EXPECT_THAT(!PathIsFile(program), "a truncated %s was left behind", program.c_str());
    ExpectEarlierFilesOnly(installation);
}

// Cancel within the progress page's first 500 ms: the passes never start, no message shows.
void CancelBeforeInstallScenario()
{
    // Cancel must reach setup before the page's timer fires. Posted right after Continue it is
    // handled before any timer message, but only a driver that is not held up gets it there
    // in time: a late attempt proves nothing and is run again.
    for (int attempt = 1; attempt <= 3; attempt++) {
        PrepareMachine();
        HWND frame = StartWizard("win7");
        WalkTo(frame, DestinationPage);
        DWORD start = GetTickCount();
        PostMessageA(Control(frame, IDC_CONTINUE), BM_CLICK, 0, 0);
        while (FindPage(frame, PageMarker(ProgressPage)) == nullptr) {
            EXPECT_THAT(GetTickCount() - start < 5000, "the progress page did not appear");
            Sleep(1);
        }
        PostMessageA(Control(frame, IDC_CANCEL), BM_CLICK, 0, 0);
        DWORD late = GetTickCount() - start;
        DWORD code = WaitForExit(30000);
        if (late >= 400) {
            printf("attempt %d: Cancel was posted %lu ms after Continue, too late to judge\n", attempt, late);
            continue;
        }
        EXPECT_THAT(code == 1, "setup ended with exit code %lu, expected 1", code);
        ExpectNothingInstalled();
        return;
    }
    Fail("the driver never got Cancel to setup within 400 ms of Continue");
}
