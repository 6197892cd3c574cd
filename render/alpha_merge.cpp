#include "render/alpha_merge.h"

#include <cstring>

// Whole 32-bit pixels rather than single bytes at a stride of 4: the compiler
// turns this form into vector loads, masks and stores.
void MergeAlphaPlaneInto(uint8_t* bgraPixels, const uint8_t* plane, size_t pixelCount) {
    if (!bgraPixels || !plane) return;
    for (size_t i = 0; i < pixelCount; ++i) {
        uint32_t pixel;
        std::memcpy(&pixel, bgraPixels + 4 * i, 4);
        pixel = (pixel & 0x00FFFFFFu) | (uint32_t(plane[i]) << 24);
        std::memcpy(bgraPixels + 4 * i, &pixel, 4);
    }
}
