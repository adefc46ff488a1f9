// The table of end-to-end scenarios the driver runs by name.
#include "driver/scenarios.h"
#include "e2e/wizard_scenarios.h"

const Scenario scenarios[] = {
    {"walk", WalkScenario},
    {"destination_by_version", DestinationByVersionScenario},
    {"cancel_on_each_page", CancelOnEachPageScenario},
    {"keys_do_nothing", KeysDoNothingScenario},
    {"startup_faults", StartupFaultsScenario},
    {"tour", TourScenario},
    {nullptr, nullptr},
};
