// Stand-in for the uninstaller QXTCleanup.exe: says what it would remove and removes nothing.
#include <windows.h>

#ifdef VELMONDO_XP
static const char variantText[] = "for Windows XP and Vista";
#else
static const char variantText[] = "for Windows 95, 98, Me, NT 4.0 and 2000";
#endif

// The folder the installation recorded, as the real uninstaller would find it.
static bool ReadInstallFolder(char* folder, DWORD size)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Zorva\\Programs", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD length = size - 1;
    LONG status = RegQueryValueExA(key, "Velmondo", NULL, &type, reinterpret_cast<LPBYTE>(folder), &length);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return false;
    folder[length < size ? length : size - 1] = '\0';
    return true;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char folder[MAX_PATH];
    if (!ReadInstallFolder(folder, sizeof folder))
        lstrcpynA(folder, "(no installation recorded)", sizeof folder);
    char text[512];
    wsprintfA(text,
              "QXTCleanup stand-in %s.\r\n\r\nVelmondo is installed in:\r\n%s\r\n\r\n"
              "This stand-in removes nothing.",
              variantText, folder);
    MessageBoxA(NULL, text, "Velmondo Cleanup", MB_OK | MB_ICONINFORMATION);
    return 0;
}
