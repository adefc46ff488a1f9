// What setup leaves on the machine: the driver clears it before a scenario, checks it after, and makes faults.
#pragma once
#include <windows.h>

#include <string>

// The folder setup proposes when no earlier installation is recorded.
extern const char defaultInstallDir[];

// Removes every file, shortcut and registry entry an installation of the product makes,
// and the record of an earlier installation, so that setup starts from a clean machine.
void ForgetInstallation();

// Fails the scenario when any of those exists.
void ExpectNothingInstalled();

// Removes a file, or a folder with everything in it; fails the scenario when it cannot.
void RemovePath(const std::string& path);

// Creates a file with its folders; fails the scenario when it cannot.
void CreateFileWithFolders(const std::string& path);

// Opens a file without sharing, as a running program holds its own files.
HANDLE HoldFileOpen(const std::string& path);

// Makes HKLM\Software\Zorva\Programs volatile: creating a lasting key below it then fails
// as it does for a user without administrative rights. RestoreProgramsKey undoes it.
void MakeProgramsKeyVolatile();
void RestoreProgramsKey();
