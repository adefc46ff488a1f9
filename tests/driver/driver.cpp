// The UI driver's steps: start setup.exe, find its windows, read and click controls, check the end.
#include "driver/driver.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

static PROCESS_INFORMATION setupProcess;

void Fail(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    fprintf(stderr, "FAILED: ");
    vfprintf(stderr, format, arguments);
    fprintf(stderr, "\n");
    va_end(arguments);
    if (setupProcess.hProcess != nullptr)
        TerminateProcess(setupProcess.hProcess, 99);
    exit(1);
}

static std::string DriverFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = strrchr(path, '\\');
    if (slash != nullptr)
        *slash = '\0';
    return path;
}

void SetWindowsVersion(const char* version)
{
    HKEY key;
    const char* path = "Software\\Wine\\AppDefaults\\setup.exe";
    if (version == nullptr || version[0] == '\0') {
        RegDeleteKeyA(HKEY_CURRENT_USER, path);
        return;
    }
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
        Fail("cannot set the Windows version for setup.exe");
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), strlen(version) + 1);
    RegCloseKey(key);
}

void StartSetup()
{
    std::string command = "\"" + DriverFolder() + "\\setup.exe\"";
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &setupProcess))
        Fail("cannot start %s (error %lu)", command.c_str(), GetLastError());
}

HWND WaitForFrame(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        HWND frame = FindWindowA("SetupDlg", "ZORVA Velmondo");
        if (frame != nullptr && IsWindowVisible(frame))
            return frame;
        if (WaitForSingleObject(setupProcess.hProcess, 50) == WAIT_OBJECT_0)
            Fail("setup.exe ended before its frame appeared");
    }
    Fail("the frame did not appear within %lu ms", milliseconds);
}

HWND Control(HWND window, int id)
{
    HWND control = GetDlgItem(window, id);
    if (control == nullptr)
        Fail("control %d is missing", id);
    return control;
}

std::string ControlText(HWND window, int id)
{
    HWND control = Control(window, id);
    char text[8192];
    // WM_GETTEXT crosses the process boundary; GetWindowText would not ask the control.
    LRESULT length = SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text, length > 0 ? length : 0);
}

bool IsShown(HWND window, int id)
{
    return IsWindowVisible(Control(window, id)) != 0;
}

bool IsEnabled(HWND window, int id)
{
    return IsWindowEnabled(Control(window, id)) != 0;
}

void Click(HWND window, int id)
{
    if (!IsShown(window, id))
        Fail("control %d is hidden: a person could not click it", id);
    if (!IsEnabled(window, id))
        Fail("control %d is disabled: a person could not click it", id);
    // Posted, not sent: a click that opens a message box must not block the driver.
    PostMessageA(Control(window, id), BM_CLICK, 0, 0);
}

DWORD WaitForExit(DWORD milliseconds)
{
    if (WaitForSingleObject(setupProcess.hProcess, milliseconds) != WAIT_OBJECT_0)
        Fail("setup.exe did not end within %lu ms", milliseconds);
    DWORD code = 0;
    GetExitCodeProcess(setupProcess.hProcess, &code);
    CloseHandle(setupProcess.hProcess);
    CloseHandle(setupProcess.hThread);
    setupProcess.hProcess = nullptr;
    return code;
}

void SaveScreenshot(HWND window, const char* name)
{
    RECT bounds;
    GetWindowRect(window, &bounds);
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    // Let the window finish painting, then copy what the screen shows of it.
    SetForegroundWindow(window);
    WaitForInputIdle(setupProcess.hProcess, 2000);
    Sleep(300);
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    GdiFlush();
    int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file;
    ZeroMemory(&file, sizeof file);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + rowBytes * height;
    std::string path = DriverFolder() + "\\..\\screenshots";
    CreateDirectoryA(path.c_str(), nullptr);
    path += "\\" + std::string(name) + ".bmp";
    FILE* out = fopen(path.c_str(), "wb");
    if (out != nullptr) {
        fwrite(&file, sizeof file, 1, out);
        fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        fwrite(bits, rowBytes, height, out);
        fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}
