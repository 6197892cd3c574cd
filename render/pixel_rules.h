#pragma once
// The two rules that turn decoded PNG pixels (R, G, B, A bytes) into drawable
// ones (B, G, R, A bytes): premultiplied by alpha for layered windows, or
// composited over the cut color where the window is cut out by a region.

#include <cstddef>
#include <cstdint>

// (B × A >> 8, G × A >> 8, R × A >> 8, A).
void PremultiplyPixel(const uint8_t rgba[4], uint8_t bgraOut[4]);

// Each channel v over cut channel k: t = A × v + (255 − A) × k + 128, then
// (t + (t >> 8)) >> 8, which is A × v + (255 − A) × k divided by 255, rounded.
// cutRgb is red, green, blue.
void CompositePixel(const uint8_t rgba[4], const uint8_t cutRgb[3], uint8_t bgraOut[4]);

// In-place bulk forms over count decoded pixels in memory order; each result is
// exactly the per-pixel rule's. When alphaPlaneOrNull is given, pixel i's alpha
// is also written to alphaPlaneOrNull[i].
void ConvertToPremultiplied(uint8_t* pixels, size_t count, uint8_t* alphaPlaneOrNull);
void ConvertOverCutColor(uint8_t* pixels, size_t count, const uint8_t cutRgb[3], uint8_t* alphaPlaneOrNull);
