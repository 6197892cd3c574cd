#pragma once
// Turning a hand image: the bounding box of the turned image and its fill by
// nearest-pixel inverse mapping. Pixels are 32-bit premultiplied B, G, R, A in
// rows from the top, 4 x width bytes each.

#include <cstdint>

// The turned image covers columns minX .. minX + width - 1 and rows minY ..
// minY + height - 1 of a grid whose origin is the image's top-left corner.
struct TurnedBounds {
    int minX = 0;
    int minY = 0;
    int width = 0;
    int height = 0;
};

// angle: radians counterclockwise, as the clock's hands turn. An empty box for
// an empty or absurdly large image or an angle that is not finite.
TurnedBounds ComputeTurnedBounds(int width, int height, double angle);

// out: room for b.width x b.height pixels. Pixels that map outside the image are
// 0 (transparent).
void FillTurnedImage(const uint32_t* image, int width, int height, double angle, const TurnedBounds& b, uint32_t* out);

// The per-pixel formula as it reads; the yardstick of the tests.
void FillTurnedImageReference(const uint32_t* image,
                              int width,
                              int height,
                              double angle,
                              const TurnedBounds& b,
                              uint32_t* out);
