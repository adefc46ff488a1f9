// The end-to-end scenarios of the installation: a full install per Windows version, a second run, the aborts.
#pragma once

void InstallByVersionScenario();
void SecondRunScenario();
void BlockedDestinationScenario();
void FullDiskScenario();
void CancelBeforeInstallScenario();
