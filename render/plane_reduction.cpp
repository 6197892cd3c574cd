#include "render/plane_reduction.h"

#include <algorithm>
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

bool ReducePixels32(const uint8_t* pixels, int width, int height, uint8_t* out, int newWidth, int newHeight) {
    if (!pixels || !out || width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0 || newWidth > width ||
        newHeight > height)
        return false;
    // Colour and alpha go through the 24-bit average in two passes: B, G, R
    // first, then alpha in the blue channel. Premultiplied pixels average
    // correctly channel by channel.
    const size_t stride = RowStride24(width);
    const size_t newStride = RowStride24(newWidth);
    std::vector<uint8_t> colour, alpha, reducedColour, reducedAlpha;
    std::vector<float> accumulator;
    try {
        colour.assign(stride * static_cast<size_t>(height), 0);
        alpha.assign(stride * static_cast<size_t>(height), 0);
        reducedColour.assign(newStride * static_cast<size_t>(newHeight), 0);
        reducedAlpha.assign(newStride * static_cast<size_t>(newHeight), 0);
        accumulator.assign(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight) * 3, 0.0f);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = pixels + static_cast<size_t>(y) * width * 4;
        uint8_t* c = &colour[static_cast<size_t>(y) * stride];
        uint8_t* a = &alpha[static_cast<size_t>(y) * stride];
        for (int x = 0; x < width; ++x, from += 4) {
            c[3 * x] = from[0];
            c[3 * x + 1] = from[1];
            c[3 * x + 2] = from[2];
            a[3 * x] = from[3];
        }
    }
    AreaAverage(colour.data(), width, height, stride, reducedColour.data(), newWidth, newHeight, newStride,
                accumulator.data());
    AreaAverage(alpha.data(), width, height, stride, reducedAlpha.data(), newWidth, newHeight, newStride,
                accumulator.data());
    for (int y = 0; y < newHeight; ++y) {
        uint8_t* to = out + static_cast<size_t>(y) * newWidth * 4;
        const uint8_t* c = &reducedColour[static_cast<size_t>(y) * newStride];
        const uint8_t* a = &reducedAlpha[static_cast<size_t>(y) * newStride];
        for (int x = 0; x < newWidth; ++x, to += 4) {
            // Rounding apart, a premultiplied channel never exceeds its alpha.
            to[3] = a[3 * x];
            to[0] = std::min(c[3 * x], to[3]);
            to[1] = std::min(c[3 * x + 1], to[3]);
            to[2] = std::min(c[3 * x + 2], to[3]);
        }
    }
    return true;
}
