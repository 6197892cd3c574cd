#include "render/png_decoder.h"

#include "render/png_working_memory.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr size_t kSignatureBytes = 8;

// Screen gamma 2.2 in libpng's fixed point (× 100000).
constexpr png_fixed_point kScreenGamma = 220000;

// No chunk we keep comes near this. It bounds what libpng inflates or caches
// for one chunk; the length a chunk declares is only warned about on read, so
// it does not stop a chunk that is read whole into memory (see LimitResources).
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t{1} << 20;
constexpr png_uint_32 kMaxCachedChunks = 64;

// Bytes come either from an open file or from memory.
struct Source {
    FILE* file = nullptr;
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t position = 0;

    bool Read(uint8_t* out, size_t length) {
        if (file)
            return std::fread(out, 1, length, file) == length;
        if (length > size - position)
            return false;
        std::memcpy(out, data + position, length);
        position += length;
        return true;
    }
};

void ReadFromSource(png_structp png, png_bytep out, png_size_t length) {
    if (!static_cast<Source*>(png_get_io_ptr(png))->Read(out, length))
        png_error(png, "unexpected end of data");
}

// Errors end in a jump back to DecodeRows; nothing is printed.
void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

png_voidp AllocateWorking(png_structp png, png_alloc_size_t bytes) {
    return static_cast<PngWorkingMemory*>(png_get_mem_ptr(png))->Allocate(bytes);
}

void FreeWorking(png_structp png, png_voidp block) {
    static_cast<PngWorkingMemory*>(png_get_mem_ptr(png))->Free(block);
}

uint8_t* AllocateWithoutThrowing(PngTarget& target, int width, int height) noexcept {
    try {
        return target.Allocate(width, height);
    } catch (...) {
        return nullptr;
    }
}

void LimitResources(png_structp png) {
    png_set_user_limits(png, kPngMaxWidth, static_cast<png_uint_32>(kPngMaxImageBytes / 4));
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_chunk_cache_max(png, kMaxCachedChunks);
#if defined(PNG_HANDLE_AS_UNKNOWN_SUPPORTED)
    // Nothing here is drawn. These are the chunks that libpng reads whole into a
    // buffer of the length they declare, up to 2 GiB and zeroed, before it
    // finds the end of the file; ignored, they are skipped in small pieces.
    // Every other chunk is read into a fixed buffer or streamed. What libpng
    // holds at once is capped by PngWorkingMemory in any case.
    static const png_byte kIgnored[] = "iCCP\0iTXt\0tEXt\0zTXt\0sPLT\0eXIf\0pCAL\0sCAL";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kIgnored, 8);
#endif
}

bool SizeAllowed(png_uint_32 width, png_uint_32 height) {
    return width > 0 && height > 0 && width <= static_cast<png_uint_32>(kPngMaxWidth) &&
           uint64_t{width} * height * 4 <= kPngMaxImageBytes;
}

// The transformations that turn every color type and bit depth into 8-bit
// R, G, B, A, asked for in this order.
void RequestRgba(png_structp png, png_infop info) {
    const int bitDepth = png_get_bit_depth(png, info);
    const int colorType = png_get_color_type(png, info);
    const bool hasTransparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_expand(png);
    if (bitDepth < 8)
        png_set_expand(png);
    if (hasTransparency)
        png_set_expand(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_fixed_point fileGamma = 0;
    if (png_get_gAMA_fixed(png, info, &fileGamma))
        png_set_gamma_fixed(png, kScreenGamma, fileGamma);
    if ((colorType & PNG_COLOR_MASK_ALPHA) == 0 && !hasTransparency)
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
}

// Every libpng call lives in this frame, which holds only plain values, so the
// long jump of an error skips no destructor.
PngStatus DecodeRows(Source* source, PngTarget* target, PngWorkingMemory* memory) {
    png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning, memory,
                                               AllocateWorking, FreeWorking);
    if (!png)
        return PngStatus::DecodeError;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return PngStatus::DecodeError;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return PngStatus::DecodeError;
    }
    LimitResources(png);
    png_set_read_fn(png, source, ReadFromSource);
    png_set_sig_bytes(png, static_cast<int>(kSignatureBytes));
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (!SizeAllowed(width, height))
        png_error(png, "image too large");
    RequestRgba(png, info);
    // Each pass fills its pixels of the same rows, so the rows of the target
    // serve for interlaced images too.
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t stride = size_t{width} * 4;
    if (png_get_bit_depth(png, info) != 8 || png_get_channels(png, info) != 4 || png_get_rowbytes(png, info) != stride)
        png_error(png, "unexpected row format");

    uint8_t* pixels = AllocateWithoutThrowing(*target, static_cast<int>(width), static_cast<int>(height));
    if (!pixels)
        png_error(png, "no memory for the image");
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, pixels + y * stride, nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return PngStatus::Ok;
}

PngStatus Decode(Source& source, PngTarget& target, PngWorkingMemory& memory) {
    uint8_t signature[kSignatureBytes];
    if (!source.Read(signature, kSignatureBytes) || png_sig_cmp(signature, 0, kSignatureBytes) != 0)
        return PngStatus::NotPng;
    return DecodeRows(&source, &target, &memory);
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

PngStatus DecodePngFile(const std::string& path, PngTarget& target) {
    PngWorkingMemory memory;
    return DecodePngFile(path, target, memory);
}

PngStatus DecodePngMemory(const uint8_t* data, size_t size, PngTarget& target) {
    PngWorkingMemory memory;
    return DecodePngMemory(data, size, target, memory);
}

PngStatus DecodePngFile(const std::string& path, PngTarget& target, PngWorkingMemory& memory) {
    if (path.empty())
        return PngStatus::NotPng;
    const std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return PngStatus::NotPng;
    Source source;
    source.file = file.get();
    return Decode(source, target, memory);
}

PngStatus DecodePngMemory(const uint8_t* data, size_t size, PngTarget& target, PngWorkingMemory& memory) {
    if (!data)
        return PngStatus::NotPng;
    Source source;
    source.data = data;
    source.size = size;
    return Decode(source, target, memory);
}
