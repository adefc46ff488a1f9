// The frame's banner: loading bitmap resource 200 scaled to the frame's width, caching it, painting it.
#include "banner/banner_paint.h"

#include <stdlib.h>

#include "banner/area_scale.h"
#include "banner/bitmap_decode.h"
#include "banner/bitmap_gdi.h"
#include "setup/setup_state.h"

HBITMAP LoadScaledBitmap(HDC dc, HINSTANCE instance, int resourceId, int width) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (found == nullptr) return nullptr;
    HGLOBAL loaded = LoadResource(instance, found);
    const DWORD size = SizeofResource(instance, found);
    const uint8_t* header = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (header == nullptr) return nullptr;

    DecodedImage image;
    if (!DecodeBitmapResource(&image, header, size, SysColourParts(COLOR_BTNFACE))) return nullptr;

    const uint16_t requested = static_cast<uint16_t>(width & 0xFFFF);
    if (requested == 0 || requested >= image.width) {
        HBITMAP bitmap = CreateDib24(dc, image.width, image.height, image.pixels);
        free(image.pixels);
        return bitmap;
    }

    ScaleJob job = {};
    job.sourcePixels = image.pixels;
    job.sourceWidth = image.width;
    job.sourceHeight = image.height;
    job.sourceStride = image.stride;
    job.requestedWidth = requested;
    job.requestedHeight = 0;
    job.fitMode = FitWidth;
    const bool scaled = ScaleImage(&job);
    free(image.pixels);  // consumed by the scaler either way
    if (!scaled) return nullptr;
    HBITMAP bitmap = CreateDib24(dc, job.targetWidth, job.targetHeight, job.targetPixels);
    free(job.targetPixels);
    return bitmap;
}

BOOL PaintBanner(HWND frame) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(frame, &paint);
    if (dc == nullptr) return TRUE;
    RECT window;
    GetWindowRect(frame, &window);
    // The outer width, caption and borders included: the few rightmost columns
    // fall outside the client area and are clipped.
    const int windowWidth = window.right - window.left;

    if (setupState.bannerBitmap == nullptr) {
        setupState.bannerBitmap = LoadScaledBitmap(dc, setupState.instance, BannerResourceId, windowWidth);
    }
    if (setupState.bannerBitmap != nullptr) {
        BITMAP size;
        HDC memory = CreateCompatibleDC(dc);
        if (memory != nullptr && GetObjectA(setupState.bannerBitmap, sizeof size, &size) != 0) {
            HGDIOBJ replaced = SelectObject(memory, setupState.bannerBitmap);
            // Only the bitmap's own area: what a copy past its edges draws differs between drivers.
            BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
            SelectObject(memory, replaced);
        }
        if (memory != nullptr) DeleteDC(memory);
    }
    EndPaint(frame, &paint);
    return TRUE;
}
