// Bounded string copy, append and format helpers that never write past the target.
#include "util/bounded_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

bool CopyText(char* target, size_t targetSize, const char* source)
{
    if (targetSize == 0)
        return false;
    size_t length = strlen(source);
    if (length >= targetSize) {
        target[0] = '\0';
        return false;
    }
    memcpy(target, source, length + 1);
    return true;
}

bool AppendText(char* target, size_t targetSize, const char* source)
{
    if (targetSize == 0)
        return false;
    // strnlen is missing from the msvcrt.dll of Windows 98.
    size_t used = 0;
    while (used < targetSize && target[used] != '\0')
        used++;
    size_t length = strlen(source);
    if (used >= targetSize || length >= targetSize - used) {
        target[0] = '\0';
        return false;
    }
    memcpy(target + used, source, length + 1);
    return true;
}

bool FormatText(char* target, size_t targetSize, const char* format, ...)
{
    if (targetSize == 0)
        return false;
    va_list arguments;
    va_start(arguments, format);
#ifdef _WIN32
    // msvcrt's _vsnprintf leaves the target unterminated when the text fills it.
    int written = _vsnprintf(target, targetSize, format, arguments);
    bool fits = written >= 0 && static_cast<size_t>(written) < targetSize;
#else
    int written = vsnprintf(target, targetSize, format, arguments);
    bool fits = written >= 0 && static_cast<size_t>(written) < targetSize;
#endif
    va_end(arguments);
    if (!fits)
        target[0] = '\0';
    return fits;
}
