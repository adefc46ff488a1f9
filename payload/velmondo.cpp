// Stand-in for the Velmondo main program: a window titled "Velmondo" that serves the shell's search commands.
#include <windows.h>
#include <ddeml.h>

#ifdef VELMONDO_XP
static const char variantText[] = "Velmondo 5.00 stand-in for Windows XP and Vista.";
#else
static const char variantText[] = "Velmondo 5.00 stand-in for Windows 95, 98, Me, NT 4.0 and 2000.";
#endif

static const int logId = 100;
static HWND mainWindow;
static DWORD ddeInstance;
static HSZ serviceName;
static HSZ topicName;

// The log shows every command the program received, so a test can read them back with WM_GETTEXT.
static void AppendLine(const char* text)
{
    HWND log = GetDlgItem(mainWindow, logId);
    int end = GetWindowTextLengthA(log);
    SendMessageA(log, EM_SETSEL, end, end);
    SendMessageA(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    SendMessageA(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("\r\n"));
}

static HDDEDATA CALLBACK DdeCallback(UINT type, UINT, HCONV, HSZ topic, HSZ service, HDDEDATA data, ULONG_PTR,
                                     ULONG_PTR)
{
    switch (type) {
    case XTYP_CONNECT:
        // Only application "Velmondo", topic "Search": the shell's find and open verbs connect there.
        return reinterpret_cast<HDDEDATA>(
            INT_PTR(DdeCmpStringHandles(topic, topicName) == 0 && DdeCmpStringHandles(service, serviceName) == 0));
    case XTYP_EXECUTE: {
        char command[600];
        DWORD length = DdeGetData(data, reinterpret_cast<LPBYTE>(command), sizeof command - 1, 0);
        command[length < sizeof command ? length : sizeof command - 1] = '\0';
        char line[640];
        wsprintfA(line, "DDE %s", command);
        AppendLine(line);
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    default:
        return NULL;
    }
}

static void StartDdeServer()
{
    if (DdeInitializeA(&ddeInstance, DdeCallback, APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES |
                                                    CBF_FAIL_REQUESTS | CBF_SKIP_REGISTRATIONS |
                                                    CBF_SKIP_UNREGISTRATIONS,
                       0) != DMLERR_NO_ERROR)
        return;
    serviceName = DdeCreateStringHandleA(ddeInstance, "Velmondo", CP_WINANSI);
    topicName = DdeCreateStringHandleA(ddeInstance, "Search", CP_WINANSI);
    DdeNameService(ddeInstance, serviceName, NULL, DNS_REGISTER);
}

static void StopDdeServer()
{
    if (ddeInstance == 0)
        return;
    DdeNameService(ddeInstance, serviceName, NULL, DNS_UNREGISTER);
    DdeFreeStringHandle(ddeInstance, serviceName);
    DdeFreeStringHandle(ddeInstance, topicName);
    DdeUninitialize(ddeInstance);
    ddeInstance = 0;
}

static LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        MoveWindow(GetDlgItem(window, logId), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIcon(NULL, IDI_APPLICATION);
    windowClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "VelmondoMain";
    RegisterClassA(&windowClass);
    mainWindow = CreateWindowExA(0, "VelmondoMain", "Velmondo", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                 520, 320, NULL, NULL, instance, NULL);
    if (mainWindow == NULL)
        return 1;
    CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                    0, 0, 0, 0, mainWindow, reinterpret_cast<HMENU>(INT_PTR(logId)), instance, NULL);
    AppendLine(variantText);
    if (commandLine[0] != '\0') {
        char line[MAX_PATH + 32];
        lstrcpynA(line, "Started with ", sizeof line);
        lstrcpynA(line + lstrlenA(line), commandLine, sizeof line - lstrlenA(line));
        AppendLine(line);
    }
    // Registered before the first wait for messages: the shell connects as soon as the new process is
    // idle (WaitForInputIdle) and gives up when nobody answers.
    StartDdeServer();
    ShowWindow(mainWindow, show);
    UpdateWindow(mainWindow);

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    StopDdeServer();
    return 0;
}
