// What a finished installation leaves on the machine, read back independently of setup's own code.
#pragma once
#include <windows.h>

#include <string>

enum ProgramBuild { Build98, BuildXP };  // which build of the main program and uninstaller is installed
enum ShortcutScope { CurrentUser, AllUsers };

struct Installation {
    std::string installDir;
    ProgramBuild build;
    ShortcutScope scope;
};

// How a check reports: quietly, or also printing each item it found (the tour).
enum Listing { Quiet, Listed };

// The 8 files of the build in their folders, byte for byte the stand-ins the payload step
// packed, each with the manifest's time (2007-10-10 05:00 local) as creation, access and
// write time.
void ExpectInstalledFiles(const Installation& installation, Listing listing = Quiet);

// The five Start-menu shortcuts and the desktop one in the scope's folders, read back with
// IShellLinkA (target, working folder, description); none in the other scope's folders.
void ExpectShortcuts(const Installation& installation, Listing listing = Quiet);

// No shortcut of the product in either scope.
void ExpectNoShortcuts();

// Every value the registry pass writes, REG_SZ with its terminator stored. The search
// extension's rows are only there when its Static key existed (EnsureSearchExtensionsKey).
void ExpectRegistryEntries(const Installation& installation, Listing listing = Quiet);

// None of those values.
void ExpectNoRegistryEntries(const Installation& installation);

// Wine has no FindExtensions\Static key (Windows XP does); creates it so that setup can
// register the search extension below it, and removes it again when the driver ends.
void EnsureSearchExtensionsKey();

// One installed file's path: the install, Windows or System folder joined with name.
std::string InstalledFile(const Installation& installation, const char* name);

// The stand-in that the payload step packed for an installed file of the build, as bytes.
std::string PackedStandIn(ProgramBuild build, const char* installedName);

// Windows paths compare without regard to case; setup capitalises the words of the Windows
// and System folders, which Wine reports in lower case.
bool SamePath(const std::string& a, const std::string& b);

// Which build of the main program is installed, told by its size.
ProgramBuild InstalledBuild(const Installation& installation);

bool PathIsFile(const std::string& path);
bool PathIsFolder(const std::string& path);
std::string ReadWholeFile(const std::string& path);

// The window of the stand-in main program (title "Velmondo"), or null.
HWND FindProductWindow();

// Whether a process of the installed main program (Velmondo.exe) is running.
bool ProductIsRunning();

// The program file of the process that made window.
std::string ProductImagePath(HWND window);

// Closes the stand-in main program and waits until its process has ended.
void CloseProduct(HWND window);
