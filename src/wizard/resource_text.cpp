// Putting a raw-data text resource, which carries no terminating zero, into a control.
#include "wizard/resource_text.h"

#include "setup/setup_state.h"

void SetResourceText(HWND window, int id, const char* name)
{
    HRSRC found = FindResourceA(setupState.instance, name, RT_RCDATA);
    DWORD size = found != nullptr ? SizeofResource(setupState.instance, found) : 0;
    HGLOBAL loaded = found != nullptr ? LoadResource(setupState.instance, found) : nullptr;
    const char* bytes = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr || size == 0)
        return;
    // The resource is followed by whatever the linker put next: handing it over as a
    // zero-terminated text would show those bytes too, so it is copied and terminated.
    char* text = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size + 1));
    if (text == nullptr)
        return;
    CopyMemory(text, bytes, size);
    text[size] = '\0';
    SetDlgItemTextA(window, id, text);
    HeapFree(GetProcessHeap(), 0, text);
}
