#pragma once
// How large a picture the clock accepts. A clock face is a few hundred pixels;
// these limits leave room for large screens and zoom while keeping one small
// file from costing gigabytes (an 8000 x 8000 PNG compresses to a few hundred
// kilobytes and needs a quarter of a gigabyte per copy).

#include <cstddef>
#include <cstdint>
#include <optional>

#include "render/scale_ratio.h"

// A preset background, and the surfaces it is drawn at after zoom and smoothing.
constexpr int kMaxFaceSide = 4096;
// A hand image as read from its file.
constexpr int kMaxHandImageSide = 2048;

// width and height both within 1..maxSide.
bool FitsPictureLimit(int64_t width, int64_t height, int maxSide);

struct PictureSize {
    int64_t width;
    int64_t height;  // always positive; a top-down bitmap gives its height unsigned
};

// The size a Windows bitmap file declares, from its first bytes (the file
// header and the start of the info header: 26 bytes are enough). Nullopt when
// they are no bitmap header.
constexpr size_t kBitmapHeaderBytes = 26;
std::optional<PictureSize> BitmapFileSize(const uint8_t* data, size_t size);

// The ratio a hand image of width x height is scaled by: the asked one,
// lowered where it would make a side larger than the largest face, since no
// work surface shows more.
ScaleRatio CappedHandScale(int width, int height, ScaleRatio ratio);
