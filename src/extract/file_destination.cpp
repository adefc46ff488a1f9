// Decoder destination backed by an open Win32 file handle.
#include "extract/file_destination.h"

static bool WriteToFile(void* context, const unsigned char* bytes, uint32_t count)
{
    DWORD written = 0;
    // Success alone does not promise that every byte went out; the count does.
    BOOL ok = WriteFile(static_cast<HANDLE>(context), bytes, count, &written, NULL);
    return ok && written == count;
}

Destination MakeFileDestination(HANDLE file)
{
    Destination destination = {WriteToFile, file};
    return destination;
}
