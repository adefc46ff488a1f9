// The shipped install manifest: product record, file table and the folder buffers start-up fills.
#include "setup/install_manifest.h"

#include "extract/payload_checksum.h"

// The file table and its checksums come from the payload build step (payload/file_table.txt), which
// takes each row's sizes from the bytes it packed: a table typed by hand drifts from its resources.
InstallManifest installManifest = {
    "Velmondo",
    "5.00",
    "ZORVA\\Velmondo",
    "ZORVA",
    "http://zorva.example/support.html",
    {2007, 10, 3, 10, 5, 0, 0, 0},
#include "file_table.inc"
    ".",
    ".",
    ".",
};

const uint32_t payloadChecksums[ManifestRows] = {
#include "file_checksums.inc"
};
