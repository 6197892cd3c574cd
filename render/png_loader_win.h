#pragma once
// PNG files as bitmaps the clock draws with: premultiplied bitmap sections for
// image hands, device bitmaps plus an alpha plane for preset backgrounds.
// A file that is no PNG (or is missing, or is a device or a folder) yields null
// silently; a PNG that cannot be decoded, or is larger than kMaxHandImageSide
// (hands) or kMaxFaceSide (backgrounds) a side, shows "PNG error!" and yields null.

#include <windows.h>

#include <cstdint>
#include <vector>

// Hand mode: a 32-bit top-down bitmap section of premultiplied B, G, R, A
// pixels; *pixels (when given) receives its pixel memory, owned by the section.
HBITMAP LoadPNG(const char* path, void** pixels);

// Background mode: a device bitmap compatible with the screen. The pixels are
// composited over cutColorOrNull (red, green, blue) when it is given, else
// premultiplied. alphaPlane receives one alpha byte per pixel, rows from the
// top; it is emptied when loading fails.
HBITMAP LoadPNGBackground(const char* path, std::vector<uint8_t>& alphaPlane, const uint8_t* cutColorOrNull);
