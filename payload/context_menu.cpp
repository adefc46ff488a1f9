// Stand-in for the Explorer search extension QTXCtxMenu.dll: a COM server that offers no class.
#include <windows.h>

// Explorer loads the server named by the registry and asks it for the extension's class; this
// stand-in declines, so Explorer carries on without the extension instead of failing.
extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID, REFIID, void** object)
{
    if (object != NULL)
        *object = NULL;
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return S_OK;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}
