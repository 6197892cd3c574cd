#include "win/surface_bitmap_win.h"

#include <windows.h>

#include "win/bitmap_info_win.h"

UniqueBitmap CreateSurfaceBitmap(int width, int height) {
    if (width <= 0 || height <= 0)
        return UniqueBitmap();
    BITMAPINFO info = TopDownBitmapInfo(width, height, 32);
    void* bits = nullptr;
    return UniqueBitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}
