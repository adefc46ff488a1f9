// The frame's banner: loading bitmap resource 200 scaled to the frame's width, caching it, painting it.
#pragma once

#include <windows.h>

constexpr int BannerResourceId = 200;

// Decodes bitmap resource resourceId of instance, tinted toward the system face
// colour, and makes a device bitmap compatible with dc: the resource's own size
// when the low 16 bits of width are 0 (or reach the picture's width: the scaler
// only reduces), else that width with the height from the aspect ratio. Null
// when the resource is missing or cannot be decoded or scaled.
HBITMAP LoadScaledBitmap(HDC dc, HINSTANCE instance, int resourceId, int width);

// The frame's whole WM_PAINT handling, BeginPaint to EndPaint: builds
// setupState.bannerBitmap on the first paint (and again on the next paint while
// it is missing) and copies it to the client area's top-left corner. Returns TRUE.
BOOL PaintBanner(HWND frame);
