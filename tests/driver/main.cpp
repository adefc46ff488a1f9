// The UI driver's entry: runs the scenario named on the command line and reports its outcome.
#include <cstdio>
#include <cstring>

#include "driver/scenarios.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: ui_driver SCENARIO\nscenarios:");
        for (const Scenario* s = scenarios; s->name != nullptr; s++)
            fprintf(stderr, " %s", s->name);
        fprintf(stderr, "\n");
        return 2;
    }
    for (const Scenario* s = scenarios; s->name != nullptr; s++) {
        if (strcmp(s->name, argv[1]) == 0) {
            s->run();
            printf("scenario %s passed\n", s->name);
            return 0;
        }
    }
    fprintf(stderr, "unknown scenario %s\n", argv[1]);
    return 2;
}
