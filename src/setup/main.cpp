// Entry point: state, probes, the wizard as one modal dialog, then release; exit code 1 always.
#include <windows.h>
#include <commctrl.h>

#include "resource_ids.h"
#include "setup/frame_class.h"
#include "setup/setup_state.h"
#include "setup/system_probes.h"
#include "wizard/frame.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    setupState.instance = instance;
    RegisterFrameClass();
    InitSetupState();
    // Real Windows registers msctls_progress32 only here; without it the progress
    // page cannot be created (Wine loads the class on demand and hides the fault).
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    DialogBoxParamA(setupState.instance, MAKEINTRESOURCEA(IDD_FRAME), nullptr, FrameDialogProc, 0);
    ReleaseGdiObjects();
    return 1;
}

// setup.exe starts here, not in the C runtime's start-up code: that code parses a command line,
// keeps atexit tables and TLS callbacks this program never uses, and costs a fifth of the stub.
// msvcrt.dll initialises itself when it is loaded, so its functions work all the same.
extern "C" void SetupEntry()
{
    ExitProcess(WinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWDEFAULT));
}
