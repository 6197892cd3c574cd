#pragma once
// Writes PNG files with libpng: the shipped preset pictures, and the fixtures
// that the decoder tests build for every color type.

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct PngImage {
    int width = 0;
    int height = 0;
    int colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    int bitDepth = 8;
    bool interlaced = false;
    // Packed rows as stored in the file: (width × channels × bitDepth + 7) / 8
    // bytes each, 16-bit samples big-endian.
    std::vector<uint8_t> rows;
    std::vector<png_color> palette;
    std::vector<uint8_t> paletteAlpha;  // tRNS of a palette image
    bool hasTransparentColor = false;   // tRNS of a grey or RGB image
    png_color_16 transparentColor{};
    double gamma = 0;  // a gAMA chunk when above 0
};

namespace png_write_detail {

inline void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

inline void OnWarning(png_structp, png_const_charp) {}

// Only plain values live in this frame, so the long jump skips no destructor.
inline bool WriteWithLibpng(FILE* file, const PngImage* image, png_bytep* rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image->width), static_cast<png_uint_32>(image->height),
                 image->bitDepth, image->colorType, image->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!image->palette.empty())
        png_set_PLTE(png, info, image->palette.data(), static_cast<int>(image->palette.size()));
    if (!image->paletteAlpha.empty())
        png_set_tRNS(png, info, image->paletteAlpha.data(), static_cast<int>(image->paletteAlpha.size()), nullptr);
    if (image->hasTransparentColor) {
        png_color_16 color = image->transparentColor;
        png_set_tRNS(png, info, nullptr, 0, &color);
    }
    if (image->gamma > 0)
        png_set_gAMA(png, info, image->gamma);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace png_write_detail

inline size_t PngRowBytes(const PngImage& image) {
    int channels = 1;
    switch (image.colorType) {
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            channels = 2;
            break;
        case PNG_COLOR_TYPE_RGB:
            channels = 3;
            break;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            channels = 4;
            break;
        default:
            break;
    }
    return (static_cast<size_t>(image.width) * channels * image.bitDepth + 7) / 8;
}

inline bool WritePng(const std::string& path, const PngImage& image) {
    const size_t rowBytes = PngRowBytes(image);
    if (image.width <= 0 || image.height <= 0 || image.rows.size() != rowBytes * image.height)
        return false;
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (size_t y = 0; y < rows.size(); ++y)
        rows[y] = const_cast<png_bytep>(image.rows.data() + y * rowBytes);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = png_write_detail::WriteWithLibpng(file, &image, rows.data());
    return std::fclose(file) == 0 && written;
}
