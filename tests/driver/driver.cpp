// The UI driver's steps: start setup.exe, find its windows, read, type and click as a person does.
#include "driver/driver.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "resource_ids.h"

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

static const char appDefaultsKey[] = "Software\\Wine\\AppDefaults\\setup.exe";
static const char x11SettingsKey[] = "Software\\Wine\\AppDefaults\\setup.exe\\X11 Driver";

static void SetUserValue(const char* path, const char* name, const char* value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
        Fail("cannot write HKCU\\%s", path);
    if (value != nullptr)
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), strlen(value) + 1);
    else
        RegDeleteValueA(key, name);
    RegCloseKey(key);
}

void SetWindowsVersion(const char* version)
{
    SetUserValue(appDefaultsKey, "Version", version != nullptr && version[0] != '\0' ? version : nullptr);
}

static void ForgetWineSettings()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, x11SettingsKey);
}

// Wine settings for setup.exe that make Xvfb behave as a Windows desktop does.
static void ConfigureWine()
{
    // Without a window manager, Wine waits 2 s for one to acknowledge every hidden
    // top-level window (each message box): unmanaged windows skip that wait, and Wine
    // then draws their captions itself. Taken back when the driver ends, for runs on a
    // real desktop.
    SetUserValue(x11SettingsKey, "Managed", "N");
    atexit(ForgetWineSettings);
    // Wine has no Courier New and would set the licence in a proportional face;
    // Liberation Mono is its metric-compatible stand-in.
    SetUserValue("Software\\Wine\\Fonts\\Replacements", "Courier New", "Liberation Mono");
}

void StartSetup()
{
    static bool configured = false;
    if (!configured) {
        ConfigureWine();
        configured = true;
    }
    std::string command = "\"" + DriverFolder() + "\\setup.exe\"";
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &setupProcess))
        Fail("cannot start %s (error %lu)", command.c_str(), GetLastError());
}

bool SetupHasEnded()
{
    return setupProcess.hProcess == nullptr || WaitForSingleObject(setupProcess.hProcess, 0) == WAIT_OBJECT_0;
}

// Polls until found returns a window; setup ending first fails the scenario.
template <typename Finder>
static HWND WaitFor(DWORD milliseconds, Finder found, const char* what)
{
    DWORD start = GetTickCount();
    do {
        HWND window = found();
        if (window != nullptr)
            return window;
        if (setupProcess.hProcess != nullptr && WaitForSingleObject(setupProcess.hProcess, 20) == WAIT_OBJECT_0)
            Fail("setup.exe ended while the driver waited for %s", what);
    } while (GetTickCount() - start < milliseconds);
    Fail("%s did not appear within %lu ms", what, milliseconds);
}

HWND WaitForFrame(DWORD milliseconds)
{
    return WaitFor(milliseconds, [] {
        HWND frame = FindWindowA("SetupDlg", "ZORVA Velmondo");
        return frame != nullptr && IsWindowVisible(frame) ? frame : nullptr;
    }, "the frame");
}

static bool HasClass(HWND window, const char* name)
{
    char className[64];
    return GetClassNameA(window, className, sizeof className) > 0 && strcmp(className, name) == 0;
}

HWND FindPage(HWND frame, int id)
{
    // Pages are dialogs that are direct children of the frame; a page that the
    // sequencer failed to destroy would show as a second one.
    HWND page = nullptr;
    int pages = 0;
    for (HWND child = GetWindow(frame, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!HasClass(child, "#32770"))
            continue;
        pages++;
        if (GetDlgItem(child, id) != nullptr && IsWindowVisible(child))
            page = child;
    }
    return pages == 1 ? page : nullptr;
}

HWND WaitForPage(HWND frame, int id, DWORD milliseconds)
{
    char what[64];
    snprintf(what, sizeof what, "the page with control %d", id);
    return WaitFor(milliseconds, [frame, id] { return FindPage(frame, id); }, what);
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

bool IsChecked(HWND window, int id)
{
    return SendMessageA(Control(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

static void ExpectUsable(HWND window, int id)
{
    if (!IsShown(window, id))
        Fail("control %d is hidden: a person could not use it", id);
    if (!IsEnabled(window, id))
        Fail("control %d is disabled: a person could not use it", id);
}

static HWND TopLevel(HWND window)
{
    HWND root = GetAncestor(window, GA_ROOT);
    return root != nullptr ? root : window;
}

void Click(HWND window, int id)
{
    ExpectUsable(window, id);
    // Posted, not sent: a click that opens a message box must not block the driver.
    PostMessageA(Control(window, id), BM_CLICK, 0, 0);
    Settle(TopLevel(window));
}

void TypeText(HWND window, int id, const std::string& text)
{
    ExpectUsable(window, id);
    HWND edit = Control(window, id);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CLEAR, 0, 0);
    for (unsigned char c : text)
        SendMessageA(edit, WM_CHAR, c, 1);
}

void PressKey(WORD key)
{
    GUITHREADINFO thread;
    ZeroMemory(&thread, sizeof thread);
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(setupProcess.dwThreadId, &thread);
    HWND target = thread.hwndFocus != nullptr ? thread.hwndFocus : thread.hwndActive;
    if (target == nullptr)
        target = FindWindowA("SetupDlg", "ZORVA Velmondo");
    if (target == nullptr)
        Fail("setup has no window to take key %u", key);
    // Posted like real input, so that the dialog manager's key handling sees it.
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16;
    PostMessageA(target, WM_KEYDOWN, key, scan | 1);
    PostMessageA(target, WM_KEYUP, key, scan | 1 | (3u << 30));
}

void ClickCloseBox(HWND frame)
{
    PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool Settle(HWND frame)
{
    // Posted messages are handled in order: once a marker posted after them has taken
    // effect, so have they. The marker is the pushed look of Cancel, set and taken back.
    HWND cancel = GetDlgItem(frame, IDC_CANCEL);
    for (BOOL pushed : {TRUE, FALSE}) {
        if (cancel == nullptr || !PostMessageA(cancel, BM_SETSTATE, pushed, 0))
            return false;
        DWORD start = GetTickCount();
        for (;;) {
            DWORD_PTR state = 0;
            if (!SendMessageTimeoutA(cancel, BM_GETSTATE, 0, 0, SMTO_NORMAL, 5000, &state) || SetupHasEnded())
                return false;
            if (((state & BST_PUSHED) != 0) == (pushed != FALSE))
                break;
            // The installation passes serve only the progress page: the frame's
            // messages wait until they end, a few seconds.
            if (GetTickCount() - start > 20000)
                Fail("setup did not take its messages within 20 s");
            Sleep(10);
        }
    }
    return true;
}

// EnumWindows needs a stdcall function on i686, which a lambda does not convert to.
static BOOL CALLBACK FindSetupMessageBox(HWND window, LPARAM result)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char title[64];
    if (process == setupProcess.dwProcessId && HasClass(window, "#32770") && IsWindowVisible(window)
        && GetWindowTextA(window, title, sizeof title) > 0 && strcmp(title, "ZORVA Setup") == 0) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

std::string AnswerMessageBox(HWND frame, DWORD milliseconds)
{
    HWND box = WaitFor(milliseconds, [] {
        HWND found = nullptr;
        EnumWindows(FindSetupMessageBox, reinterpret_cast<LPARAM>(&found));
        return found;
    }, "a message box \"ZORVA Setup\"");
    EXPECT_THAT(GetWindow(box, GW_OWNER) == frame, "the message box is not owned by the frame");
    EXPECT_THAT(!IsWindowEnabled(frame), "the frame stays enabled under the message box");
    std::string text = ControlText(box, 0xFFFF);  // the text of a message box is static 0xFFFF
    ExpectUsable(box, IDOK);
    PostMessageA(Control(box, IDOK), BM_CLICK, 0, 0);
    DWORD start = GetTickCount();
    while (IsWindow(box)) {
        if (GetTickCount() - start > 10000)
            Fail("the message box did not close on OK");
        Sleep(20);
    }
    Settle(frame);
    return text;
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

std::string SetupResourceText(const char* name)
{
    std::string path = DriverFolder() + "\\setup.exe";
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        Fail("cannot read the resources of %s", path.c_str());
    HRSRC found = FindResourceA(module, name, RT_RCDATA);
    if (found == nullptr)
        Fail("setup.exe has no resource %s", name);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    std::string text(bytes, SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

std::string BuildFolder()
{
    std::string folder = DriverFolder();
    return folder.substr(0, folder.rfind('\\'));
}

void SaveScreenshot(HWND window, const char* name)
{
    // Let the window finish painting, then copy what the screen shows of it.
    SetForegroundWindow(window);
    Settle(window);
    Sleep(300);
    CaptureWindow(window, name);
}

void CaptureWindow(HWND window, const char* name)
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
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    GdiFlush();
    int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file;
    ZeroMemory(&file, sizeof file);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + rowBytes * height;
    std::string path = BuildFolder() + "\\screenshots";
    CreateDirectoryA(path.c_str(), nullptr);
    path += "\\" + std::string(name) + ".bmp";
    FILE* out = fopen(path.c_str(), "wb");
    if (out == nullptr)
        Fail("cannot write %s", path.c_str());
    fwrite(&file, sizeof file, 1, out);
    fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    fwrite(bits, rowBytes, height, out);
    fclose(out);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}
