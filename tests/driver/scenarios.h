// The table of end-to-end scenarios the driver knows by name.
#pragma once

struct Scenario {
    const char* name;
    void (*run)();
};

// Ends with a row whose name is null.
extern const Scenario scenarios[];
