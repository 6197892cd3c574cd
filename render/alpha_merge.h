#pragma once
// Writes a background's opacity plane into the alpha bytes of a frame read back
// from the screen format, whose own alpha bytes carry nothing.

#include <cstddef>
#include <cstdint>

// bgraPixels: pixelCount pixels of B, G, R, A bytes; plane: pixelCount bytes.
// Byte 3 of every pixel becomes the plane's byte; colors are left alone.
void MergeAlphaPlaneInto(uint8_t* bgraPixels, const uint8_t* plane, size_t pixelCount);

// A face shaped by its cut color: inside the shape (mask byte not 0) a pixel
// becomes opaque and keeps its color; outside it becomes transparent black.
// Layered windows take premultiplied colors, so a transparent pixel must carry
// no color: it would be added to the desktop behind it.
void MergeShapeMaskInto(uint8_t* bgraPixels, const uint8_t* mask, size_t pixelCount);
