// The table of end-to-end scenarios the driver runs by name.
#include "driver/scenarios.h"
#include "e2e/install_scenarios.h"
#include "e2e/wizard_scenarios.h"

const Scenario scenarios[] = {
    {"walk", WalkScenario},
    {"destination_by_version", DestinationByVersionScenario},
    {"cancel_on_each_page", CancelOnEachPageScenario},
    {"keys_do_nothing", KeysDoNothingScenario},
    {"startup_faults", StartupFaultsScenario},
    {"install_by_version", InstallByVersionScenario},
    {"second_run", SecondRunScenario},
    {"blocked_destination", BlockedDestinationScenario},
    {"full_disk", FullDiskScenario},
    {"cancel_before_install", CancelBeforeInstallScenario},
    {"tour", TourScenario},
    {nullptr, nullptr},
};
