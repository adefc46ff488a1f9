// Decoder destination backed by an open Win32 file handle.
#pragma once

#include <windows.h>

#include "extract/lzhuf_decoder.h"

// A destination whose every write is one WriteFile on file; the handle stays owned by the caller.
Destination MakeFileDestination(HANDLE file);
