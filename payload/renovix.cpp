// Stand-in for the updater Renovix.exe: reports the installed version and looks for nothing.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char version[16] = "unknown";
    const char* const productKey = "Software\\Zorva\\Programs\\Velmondo";
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, productKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        DWORD length = sizeof version - 1;
        DWORD type = 0;
        if (RegQueryValueExA(key, "Version", NULL, &type, reinterpret_cast<LPBYTE>(version), &length) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            lstrcpynA(version, "unknown", sizeof version);
        else
            version[length < sizeof version ? length : sizeof version - 1] = '\0';
        RegCloseKey(key);
    }
    char text[160];
    wsprintfA(text, "Renovix stand-in.\r\n\r\nInstalled Velmondo version: %s\r\nNo update is offered.", version);
    MessageBoxA(NULL, text, "Renovix", MB_OK | MB_ICONINFORMATION);
    return 0;
}
