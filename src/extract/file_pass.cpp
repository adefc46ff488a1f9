// The file installation pass: writes every payload file of the running Windows variant into its folder.
#include "extract/file_pass.h"

#include <commctrl.h>

#include "extract/file_destination.h"
#include "extract/lzhuf_decoder.h"
#include "extract/payload_checksum.h"
#include "resource_ids.h"
#include "setup/manifest_rules.h"
#include "setup/setup_state.h"
#include "setup/system_probes.h"
#include "util/file_system.h"
#include "util/path_text.h"
#include "wizard/window_utils.h"

namespace {

const DWORD pauseAfterFile = 200;
const DWORD pauseAtEnd = 500;

struct CheckedDestination {
    Destination file;
    uint32_t checksum;
};

// Sums the bytes on their way to the file, so that the check costs no second read of what was written.
bool WriteAndSum(void* context, const unsigned char* bytes, uint32_t count)
{
    CheckedDestination* checked = static_cast<CheckedDestination*>(context);
    checked->checksum = PayloadChecksum(checked->checksum, bytes, count);
    return WriteOutput(checked->file, bytes, count);
}

// The row's resource bytes, only when the resource holds at least as many as the row will read: the
// decoder trusts packedSize and the copy trusts size, so a short resource would be read past its end.
const unsigned char* FindPayload(const FileEntry& entry)
{
    HRSRC resource = FindResourceA(setupState.instance, entry.resourceName, RT_RCDATA);
    if (resource == NULL)
        return NULL;
    DWORD needed = entry.packedSize != 0 ? entry.packedSize : entry.size;
    if (SizeofResource(setupState.instance, resource) < needed)
        return NULL;
    HGLOBAL loaded = LoadResource(setupState.instance, resource);
    return loaded != NULL ? static_cast<const unsigned char*>(LockResource(loaded)) : NULL;
}

// Creates, fills, stamps and closes one destination file; false leaves no file of this row behind.
bool InstallRow(HWND page, uint16_t row, const FILETIME& stamp)
{
    const FileEntry& entry = installManifest.entries[row];
    char path[PathBufferSize];
    // A path cut to fit would name another file; JoinPath leaves it empty and the row fails.
    bool pathFits = DestinationPath(path, sizeof path, entry);
    SetDlgItemTextA(page, IDC_FILE_STATUS, path);
    const unsigned char* payload = FindPayload(entry);
    if (!pathFits || payload == NULL)
        return false;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool complete = WritePayload(file, entry, payload, payloadChecksums[row]);
    if (complete)
        SetFileTime(file, &stamp, &stamp, &stamp);
    CloseHandle(file);
    // A full disk or a payload that does not decode to what was packed would leave a file that looks
    // installed and is not; the product would trip over it later.
    if (!complete)
        DeleteFileA(path);
    return complete;
}

bool FailPass(HWND page)
{
    MessageBoxA(page, "Unable to create destination file!\r\nInstallation will now be aborted.", "ZORVA Setup",
                MB_ICONERROR);
    SetDlgItemTextA(page, IDC_FILE_STATUS, "");
    WaitPumping(page, pauseAtEnd);
    return false;
}

}  // namespace

bool WritePayload(HANDLE file, const FileEntry& entry, const unsigned char* payload, uint32_t checksum)
{
    CheckedDestination checked = {MakeFileDestination(file), 0};
    Destination destination = {WriteAndSum, &checked};
    bool written = entry.packedSize != 0 ? DecodeStream(payload, entry.packedSize, entry.size, destination)
                                         : WriteOutput(destination, payload, entry.size);
    return written && checked.checksum == checksum;
}

bool InstallVariantFiles(HWND page, uint16_t variantMask)
{
    if (PathExists(installManifest.installDir))
        ClearFolder(installManifest.installDir);
    else
        MakePath(installManifest.installDir);

    HWND bar = GetDlgItem(page, IDC_FILE_PROGRESS);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, installManifest.fileCount));
    SendMessageA(bar, PBM_SETSTEP, 1, 0);

    // The manifest's time is local; file times are UTC. Converted once, so every file gets the same one.
    FILETIME local;
    FILETIME stamp;
    SystemTimeToFileTime(&installManifest.fileTime, &local);
    LocalFileTimeToFileTime(&local, &stamp);

    for (uint16_t row = 0; row < installManifest.fileCount; row++) {
        DWORD pause = 0;
        if (installManifest.entries[row].flags & variantMask) {
            if (!InstallRow(page, row, stamp))
                return FailPass(page);
            pause = pauseAfterFile;
        }
        SendMessageA(bar, PBM_STEPIT, 0, 0);
        WaitPumping(page, pause);
    }
    SetDlgItemTextA(page, IDC_FILE_STATUS, "Success");
    WaitPumping(page, pauseAtEnd);
    return true;
}

bool InstallFiles(HWND page)
{
    return InstallVariantFiles(page, VariantMask(GetOsClass()));
}
