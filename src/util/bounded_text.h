// Bounded string copy, append and format helpers that never write past the target.
#pragma once
#include <cstddef>

// Windows 98, 2000 and XP ship an msvcrt.dll without strcpy_s/strcat_s/sprintf_s,
// and mingw-w64 imports them directly, so setup.exe would not load there.
// These keep the same contract: the target always ends terminated, and a text that
// does not fit is refused (target emptied, false returned) instead of overflowing.
bool CopyText(char* target, size_t targetSize, const char* source);
bool AppendText(char* target, size_t targetSize, const char* source);
bool FormatText(char* target, size_t targetSize, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
