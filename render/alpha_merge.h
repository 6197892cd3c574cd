#pragma once
// Writes a background's opacity plane into the alpha bytes of a frame read back
// from the screen format, whose own alpha bytes carry nothing.

#include <cstddef>
#include <cstdint>

// bgraPixels: pixelCount pixels of B, G, R, A bytes; plane: pixelCount bytes.
// Byte 3 of every pixel becomes the plane's byte; colors are left alone.
void MergeAlphaPlaneInto(uint8_t* bgraPixels, const uint8_t* plane, size_t pixelCount);
