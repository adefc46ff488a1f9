// Probes of the system made once at start: Windows version class, rights, files in use, earlier folder.
#pragma once
#include <cstdint>

// 0: not NT (95, 98, Me); 1: NT other than 5.1 and 6.0; 2: XP (5.1); 3: Vista (6.0).
uint8_t GetOsClass();

// Reads the folder an earlier installation recorded; false leaves buffer empty.
bool ReadEarlierInstallDir(char* buffer, unsigned size);

// Sets notAdmin when a key cannot be created under HKEY_LOCAL_MACHINE.
void ProbeAdminRights();

// Sets filesInUse when a file the installation would replace is held open.
void ProbeFilesInUse();

// Fills the three folder buffers of the manifest, then runs both probes.
void InitSetupState();

extern const char programsKeyPath[];
