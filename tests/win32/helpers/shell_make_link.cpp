// Makes one shortcut with the setup program's own code, for reading back with a non-Windows reader.
// Usage: shell_make_link <folder>. Writes <folder>\Program Files\Velmondo\Velmondo.exe and
// <folder>\Velmondo.lnk pointing at it; exit code 0 when the shortcut file exists.
#include <windows.h>
#include <objbase.h>

#include "shell/link_path.h"
#include "shell/shortcut_pass.h"
#include "util/file_system.h"
#include "util/path_text.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const char* folder = argv[1];
    char programFolder[PathBufferSize];
    char target[PathBufferSize];
    char linkPath[PathBufferSize];
    if (!JoinPath(programFolder, sizeof programFolder, folder, "Program Files\\Velmondo", false) ||
        !JoinPath(target, sizeof target, programFolder, "Velmondo.exe", false) ||
        !BuildLinkPath(linkPath, sizeof linkPath, folder, "", "Velmondo"))
        return 2;
    MakePath(programFolder);
    HANDLE file = CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    WriteFile(file, "MZ", 2, &written, nullptr);
    CloseHandle(file);
    if (CoInitialize(nullptr) != S_OK)
        return 4;
    CreateShellLink(target, programFolder, linkPath, "Velmondo");
    CoUninitialize();
    return PathExists(linkPath) ? 0 : 1;
}
