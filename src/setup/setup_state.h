// The run's mutable state: window handles, page position, probe flags, cached graphics.
#pragma once
#include <cstdint>
#include <windows.h>

struct SetupState {
    HINSTANCE instance;
    HWND frameWindow;
    HWND pageWindow;
    uint16_t pageState;
    uint8_t notAdmin;
    uint8_t filesInUse;
    uint8_t allUsers;
    uint8_t runOnExit;
    HBITMAP bannerBitmap;
    HFONT monoFont;
    HFONT boldFont;
};

extern SetupState setupState;

// Deletes the cached banner bitmap and fonts once, at exit.
void ReleaseGdiObjects();
