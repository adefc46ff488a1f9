// The end-to-end scenarios, each a short script of the driver's steps.
#pragma once

void WalkScenario();
void DestinationByVersionScenario();
void CancelOnEachPageScenario();
void KeysDoNothingScenario();
void StartupFaultsScenario();
void TourScenario();
