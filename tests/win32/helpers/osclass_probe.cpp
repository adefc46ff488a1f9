// Reports GetOsClass as its exit code, so a test can ask it under each Windows version Wine reports.
#include "setup/system_probes.h"

int main()
{
    return GetOsClass();
}
