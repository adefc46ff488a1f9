// The shipped install manifest: product record, file table and the folder buffers start-up fills.
#include "setup/install_manifest.h"

InstallManifest installManifest = {
    "Velmondo",
    "5.00",
    "ZORVA\\Velmondo",
    "ZORVA",
    "http://zorva.example/support.html",
    {2007, 10, 3, 10, 5, 0, 0, 0},
    {
        {"QXTCleanup.exe", ToWindowsDir | Variant98, "CLEANUP_98", "Remove", 73728, 42750},
        {"QXTCleanup.exe", ToWindowsDir | VariantXP, "CLEANUP_XP", "-", 99840, 61487},
        {"Velmondo.exe", LinkToInstallDir | Variant98, "PROGRAM_98", "Velmondo", 380928, 177008},
        {"Velmondo.exe", LinkToInstallDir | VariantXP, "PROGRAM_XP", "-", 454656, 213699},
        {"Velmondo.chm", LinkToInstallDir | Variant98 | VariantXP, "PROGRAMHLP", "Help", 63646, 56965},
        {"Renovix.exe", LinkToInstallDir | Variant98 | VariantXP, "UPDATER", "Update", 57344, 29813},
        {"Go Zorva.url", LinkToInstallDir | Variant98 | VariantXP, "WEBLINK", "Go Zorva", 47, 0},
        {"Pricing.txt", LinkToInstallDir | Variant98 | VariantXP, "ORDER", "-", 1987, 752},
        {"Account.txt", LinkToInstallDir | Variant98 | VariantXP, "REGINFO", "-", 939, 551},
        {"QTXCtxMenu.dll", ToSystemDir | Variant98 | VariantXP, "CONTEXT", "-", 32768, 11413},
    },
    10,
    5,
    ".",
    ".",
    ".",
};
