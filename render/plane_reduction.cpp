#include "render/plane_reduction.h"

#include <new>

#include "render/smooth_shrink.h"

bool ReducePlane(int width, int height, std::vector<uint8_t>& plane, int newWidth, int newHeight) {
    if (width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0 || newWidth > width || newHeight > height ||
        plane.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        return false;
    // The area average works on 24-bit rows: the plane goes in the blue channel.
    const size_t stride = RowStride24(width);
    const size_t newStride = RowStride24(newWidth);
    std::vector<uint8_t> source, target, reduced;
    std::vector<float> accumulator;
    try {
        source.assign(stride * static_cast<size_t>(height), 0);
        target.assign(newStride * static_cast<size_t>(newHeight), 0);
        accumulator.assign(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight) * 3, 0.0f);
        reduced.resize(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            source[static_cast<size_t>(y) * stride + 3 * static_cast<size_t>(x)] =
                plane[static_cast<size_t>(y) * width + x];
    AreaAverage(source.data(), width, height, stride, target.data(), newWidth, newHeight, newStride,
                accumulator.data());
    for (int y = 0; y < newHeight; ++y)
        for (int x = 0; x < newWidth; ++x)
            reduced[static_cast<size_t>(y) * newWidth + x] =
                target[static_cast<size_t>(y) * newStride + 3 * static_cast<size_t>(x)];
    plane.swap(reduced);
    return true;
}
