#pragma once
// The header of an uncompressed top-down bitmap, the format every pixel buffer
// of the program is read, written or created in.

#include <windows.h>

inline BITMAPINFO TopDownBitmapInfo(int width, int height, WORD bitsPerPixel) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
