#pragma once
// The per-pixel alpha of a PNG background on its way to the layered window: the
// 32-bit section that every frame is read into, the merge of the background's
// opacity plane into it, and the plane's resize when the window is zoomed.

#include <windows.h>

#include <cstdint>
#include <vector>

// A 32-bit top-down bitmap section of frameBitmap's size; *pixels receives its
// memory and *header its format. Null when the frame's format cannot be read.
// The caller owns the section.
HBITMAP CreateAlphaDIB(HBITMAP frameBitmap, void** pixels, BITMAPINFO* header);

// Reads every row of frameBitmap into pixels (the section of CreateAlphaDIB, in
// the format of header) and sets the alpha byte of every pixel from plane, which
// holds one byte per pixel. False when a pointer is null or the frame cannot be
// read. frameBitmap must not be selected into a device context.
bool MergeAlphaPlane(HBITMAP frameBitmap, const uint8_t* plane, BITMAPINFO* header, void* pixels);
// The same, and false when the plane does not hold exactly one byte per pixel
// of header (an emptied plane included).
bool MergeAlphaPlane(HBITMAP frameBitmap, const std::vector<uint8_t>& plane, BITMAPINFO* header, void* pixels);

// Resizes the plane of width x height bytes to newWidth x newHeight as a grey
// picture, with the platform's bitmap copy. On failure the user is told (the
// system's text, or "CopyImage err!") and the plane is left empty, so that no
// frame merges a plane of the wrong size.
bool ResizeAlphaPlane(int width, int height, std::vector<uint8_t>& plane, int newWidth, int newHeight);
