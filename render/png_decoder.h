#pragma once
// Decodes a PNG file into 8-bit R, G, B, A rows, whatever its color type, bit
// depth or interlacing, into memory that the caller provides.

#include <cstddef>
#include <cstdint>
#include <string>

class PngWorkingMemory;

enum class PngStatus {
    Ok,
    NotPng,       // no path, no readable file, or no PNG signature: callers stay silent
    DecodeError,  // a PNG that cannot be decoded (damaged, cut short, too large)
};

class PngTarget {
public:
    virtual ~PngTarget() = default;
    // Memory for width × height × 4 bytes: rows of 4 × width bytes from the
    // top. Null fails the decode. Called at most once, before any pixel is written.
    virtual uint8_t* Allocate(int width, int height) = 0;
};

// Images wider than this, or holding more bytes than kPngMaxImageBytes, are
// refused before anything is allocated.
constexpr int kPngMaxWidth = 16383;
constexpr size_t kPngMaxImageBytes = size_t{256} << 20;

PngStatus DecodePngFile(const std::string& path, PngTarget& target);
PngStatus DecodePngMemory(const uint8_t* data, size_t size, PngTarget& target);

// The same, with libpng's own memory taken from `memory`; the forms above give
// each decode its own with the default limit.
PngStatus DecodePngFile(const std::string& path, PngTarget& target, PngWorkingMemory& memory);
PngStatus DecodePngMemory(const uint8_t* data, size_t size, PngTarget& target, PngWorkingMemory& memory);
