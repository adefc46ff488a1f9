// A fresh folder under the temporary folder for one test, removed with everything in it afterwards.
#include "scratch_folder.h"

#include <cstring>

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (strcmp(entry.cFileName, ".") == 0 || strcmp(entry.cFileName, "..") == 0)
                continue;
            std::string child = path + "\\" + entry.cFileName;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

std::string MakeScratchFolder(const char* name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + "velmondo-" + name;
    RemoveTree(path);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

void WriteFileText(const std::string& path, const char* text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text, strlen(text), &written, nullptr);
    CloseHandle(file);
}
