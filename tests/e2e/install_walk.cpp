// Walking an installation: a clean machine, the progress page up to the finish page, and closing setup from there.
#include "e2e/install_walk.h"

#include <string>

#include "driver/driver.h"
#include "driver/machine.h"
#include "e2e/wizard_walk.h"
#include "resource_ids.h"

namespace {

const char completionText[] =
    "ZORVA Velmondo was sucessfully installed. Please take a moment to check out the Survival Guide below and "
    "remember to tell a friend or two about ZORVA and share the experience together!";
const char runOnExitText[] = "Place a check here to run ZORVA Velmondo on exit...";

// The passes pause about 4 s in all; the rest is the work and Wine.
const DWORD installMilliseconds = 30000;

// The text of control id of the progress page, or nothing once the page is gone. Sent with
// a time-out: the page answers only between two files, inside the passes' pauses.
bool ReadProgressText(HWND page, int id, std::string& text)
{
    HWND control = GetDlgItem(page, id);
    char buffer[MAX_PATH] = "";
    DWORD_PTR length = 0;
    if (control == nullptr
        || !SendMessageTimeoutA(control, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                                5000, &length))
        return false;
    text.assign(buffer, length);
    return true;
}

}  // namespace

void PrepareMachine()
{
    for (HWND stale = FindProductWindow(); stale != nullptr; stale = FindProductWindow())
        CloseProduct(stale);
    ForgetInstallation();
    EnsureSearchExtensionsKey();
}

HWND InstallToFinishPage(HWND frame, const char* progressScreenshot)
{
    Click(frame, IDC_CONTINUE);
    HWND progress = WaitForPage(frame, PageMarker(ProgressPage));
    if (progressScreenshot != nullptr) {
        // Half-way: the files are written and the shortcuts are being made.
        std::string status;
        DWORD start = GetTickCount();
        while (ReadProgressText(progress, IDC_SHORTCUT_STATUS, status) && status.empty()) {
            EXPECT_THAT(GetTickCount() - start < installMilliseconds, "the shortcut pass did not start");
            Sleep(20);
        }
        EXPECT_THAT(!status.empty() && status != "Success", "the progress page was gone before the picture");
        CaptureWindow(frame, progressScreenshot);
    }
    HWND finish = WaitForPage(frame, IDC_FINISH_MESSAGE, installMilliseconds);
    ExpectText(finish, IDC_FINISH_MESSAGE, completionText);
    const std::string welcome = SetupResourceText("WELCOME");
    EXPECT_THAT(ControlText(finish, IDC_FINISH_TEXT) == welcome,
                "the welcome box does not hold exactly the %u bytes of the WELCOME resource",
                unsigned(welcome.size()));
    ExpectText(finish, IDC_RUN_ON_EXIT, runOnExitText);
    EXPECT_THAT(!IsChecked(finish, IDC_RUN_ON_EXIT), "the run-on-exit box starts ticked");
    EXPECT_THAT(!IsShown(frame, IDC_CONTINUE), "Continue is shown on the finish page");
    ExpectText(frame, IDC_CANCEL, "Close");
    return finish;
}

void CloseFinishPage(HWND frame, const Installation& installation, bool productStarts)
{
    EXPECT_THAT(!ProductIsRunning(), "Velmondo.exe runs before setup is closed");
    Click(frame, IDC_CANCEL);
    DWORD code = WaitForExit();
    EXPECT_THAT(code == 1, "setup ended with exit code %lu, expected 1", code);
    if (!productStarts) {
        // setup starts the program before it ends: a start would show by now.
        EXPECT_THAT(!ProductIsRunning(), "Velmondo.exe was started with the box clear");
        return;
    }
    HWND window = nullptr;
    for (DWORD start = GetTickCount(); window == nullptr; window = FindProductWindow()) {
        EXPECT_THAT(GetTickCount() - start < 20000, "the window \"Velmondo\" did not appear after Close");
        Sleep(50);
    }
    const std::string program = InstalledFile(installation, "Velmondo.exe");
    const std::string started = ProductImagePath(window);
    EXPECT_THAT(SamePath(started, program), "Close started %s, expected %s", started.c_str(), program.c_str());
    // The stand-ins name their build in the first line of their window.
    const std::string shown = ControlText(window, 100);
    const char* build = installation.build == BuildXP ? "for Windows XP and Vista" : "for Windows 95, 98";
    EXPECT_THAT(shown.find(build) != std::string::npos, "the started program is not the build %s: \"%s\"", build,
                shown.c_str());
    CloseProduct(window);
}

void ExpectFileSizeLimit(DWORD limit)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "file size limit probe.bin";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_THAT(file != INVALID_HANDLE_VALUE, "cannot create %s", path.c_str());
    std::string bytes(limit, 'x');
    DWORD written = 0;
    WriteFile(file, bytes.data(), limit, &written, nullptr);
    CloseHandle(file);
    DeleteFileA(path.c_str());
    EXPECT_THAT(written < limit, "this scenario needs a file size limit below %lu bytes (ulimit -f 200, see "
                                 "tests/e2e/scenarios.cmake)", limit);
}
