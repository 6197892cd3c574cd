#pragma once
// Smooth reduction of 24-bit pictures by area averaging: every source pixel is
// spread over the destination pixels it covers, weighted by the covered part.
// Buffers hold B, G, R bytes in rows from the top, each row padded to its stride.

#include <cstddef>
#include <cstdint>
#include <vector>

// Row length in bytes of a 24-bit picture, padded to a multiple of 4 as device-
// independent bitmaps are; 0 when the width is not positive or too large.
size_t RowStride24(int width);

// src: srcStride x srcHeight bytes; accumulator: room for dstWidth x dstHeight x
// 3 floats, used as scratch. An exact halving needs none: it may be null there
// (elsewhere null reduces nothing).
// Exact box filtering when the destination is not larger than the source; an
// exact halving takes a path of its own with the same result.
void AreaAverage(const uint8_t* src,
                 int srcWidth,
                 int srcHeight,
                 size_t srcStride,
                 uint8_t* dst,
                 int dstWidth,
                 int dstHeight,
                 size_t dstStride,
                 float* accumulator);

// The same computation in its plainest form, one source pixel at a time; the
// yardstick of the tests.
void AreaAverageReference(const uint8_t* src,
                          int srcWidth,
                          int srcHeight,
                          size_t srcStride,
                          uint8_t* dst,
                          int dstWidth,
                          int dstHeight,
                          size_t dstStride,
                          float* accumulator);

// One picture of 24-bit rows with its size; pixels are stride x height bytes.
struct Picture24 {
    int width = 0;
    int height = 0;
    size_t stride = 0;
    std::vector<uint8_t> pixels;

    uint8_t* data() { return pixels.data(); }
    const uint8_t* data() const { return pixels.data(); }
};

// The source and destination pictures and the accumulator of a reduction, sized
// once and reused frame after frame so that no frame allocates.
class ReductionBuffers {
public:
    // Sizes the buffers; keeps them when the sizes are unchanged. False (and
    // empty buffers) when a size is not positive, too large, or memory is short.
    bool Prepare(int srcWidth, int srcHeight, int dstWidth, int dstHeight);
    // Changes only the source picture, for a source whose size moved. On
    // failure the source is left empty and Reduce does nothing.
    bool PrepareSource(int srcWidth, int srcHeight);
    void Clear();
    bool Empty() const { return source_.pixels.empty() || destination_.pixels.empty(); }

    Picture24& Source() { return source_; }
    Picture24& Destination() { return destination_; }
    // Source to destination.
    void Reduce();

private:
    Picture24 source_;
    Picture24 destination_;
    std::vector<float> accumulator_;
};
