#pragma once
// A 24-bit bitmap file for the tests' faces.

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// The stride of a 24-bit row: padded to a multiple of four bytes.
inline int BitmapStride24(int width) {
    return (width * 3 + 3) & ~3;
}

// Writes width x height pixels: rows of BitmapStride24(width) bytes (B, G, R),
// the bottom row first, as the file keeps them.
inline void WriteBitmapFile24(const std::string& path, int width, int height, const std::vector<uint8_t>& pixels) {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(pixels.size());
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
}
