#pragma once
// A face drawn larger than it is shown (ImageScale, or a zoom below 100 %) is
// reduced by area averaging, so its soft edges stay soft: sampling the nearest
// pixel would keep one pixel in three of a 3x picture and leave steps.

#include <cstdint>
#include <vector>

// Reduces an 8-bit plane of width x height to newWidth x newHeight (neither
// larger than the source). False, and the plane left as it was, when a size is
// not positive, larger than the source, or does not match the plane.
bool ReducePlane(int width, int height, std::vector<uint8_t>& plane, int newWidth, int newHeight);

// Reduces premultiplied 32-bit pixels (B, G, R, A; rows of width x 4 bytes, top
// first) to newWidth x newHeight, every channel alike. False, and out left as
// it was, on the same conditions as ReducePlane or when memory runs out.
bool ReducePixels32(const uint8_t* pixels, int width, int height, uint8_t* out, int newWidth, int newHeight);
