// Folder creation, folder clearing and existence tests on the Windows file system.
#include "util/file_system.h"

#include <windows.h>

#include "util/bounded_text.h"
#include "util/path_text.h"

bool PathExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool MakePath(const char* path)
{
    char copy[PathBufferSize];
    if (!CopyText(copy, sizeof copy, path) || copy[0] == '\0')
        return false;

    // Walk back from the end, cutting the copy into prefixes at each backslash until
    // the drive root's backslash. A path without a drive root stops at the start of
    // the copy instead of scanning the memory before it.
    int index = static_cast<int>(strlen(copy)) - 1;
    if (copy[index] != '\\') {
        while (index >= 0 && copy[index] != '\\')
            index--;
    }
    int visits = 1;
    while (index >= 0) {
        if (index > 0 && copy[index - 1] == ':')
            break;
        copy[index] = '\0';
        visits++;
        index--;
        while (index >= 0 && copy[index] != '\\')
            index--;
    }

    bool result = true;
    char* end = copy;
    for (int visit = 0; visit < visits; visit++) {
        if (!PathExists(copy))
            result = CreateDirectoryA(copy, nullptr) != 0;
        end += strlen(end);
        if (visit + 1 < visits)
            *end = '\\';
    }
    return result;
}

bool ClearFolder(const char* path)
{
    char buffer[PathBufferSize];
    if (!JoinPath(buffer, sizeof buffer, path, "*.*", false))
        return false;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(buffer, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        bool folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folder && entry.cFileName[0] == '.')
            continue;
        // An entry whose full path would not fit is left alone rather than cut to
        // a shorter path that names something else.
        if (!JoinPath(buffer, sizeof buffer, path, entry.cFileName, false))
            continue;
        if (folder) {
            ClearFolder(buffer);
        } else {
            SetFileAttributesA(buffer, FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(buffer);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return true;
}
