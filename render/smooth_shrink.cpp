#include "render/smooth_shrink.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Device-independent bitmaps carry DWORD sizes; nothing we draw comes near.
constexpr size_t kMaxBufferBytes = size_t(1) << 31;

bool ValidSizes(const uint8_t* src,
                int srcWidth,
                int srcHeight,
                size_t srcStride,
                const uint8_t* dst,
                int dstWidth,
                int dstHeight,
                size_t dstStride) {
    if (!src || !dst)
        return false;
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0)
        return false;
    const size_t srcRow = RowStride24(srcWidth);
    const size_t dstRow = RowStride24(dstWidth);
    return srcRow != 0 && dstRow != 0 && srcStride >= 3 * size_t(srcWidth) && dstStride >= 3 * size_t(dstWidth);
}

// The scale back from summed weights to an average, and the rounding to a byte.
// Values outside the byte range only arise when enlarging; their low 8 bits are
// kept as the bytes of the original were.
float OutputFactor(int srcWidth, int srcHeight, int dstWidth, int dstHeight) {
    return float(int64_t(dstWidth) * dstHeight) / float(int64_t(srcWidth) * srcHeight);
}

uint8_t ToByte(float factor, float sum) {
    const float scaled = factor * sum;
    const double rounded = double(scaled) + 0.5;
    if (!(rounded < 4611686018427387904.0))
        return 0xFF;
    return static_cast<uint8_t>(static_cast<int64_t>(rounded) & 0xFF);
}

void WriteOutput(const float* accumulator, uint8_t* dst, int dstWidth, int dstHeight, size_t dstStride, float factor) {
    const size_t rowCells = size_t(dstWidth) * 3;
    for (int y = 0; y < dstHeight; ++y) {
        const float* a = accumulator + size_t(y) * rowCells;
        uint8_t* out = dst + size_t(y) * dstStride;
        for (size_t i = 0; i < rowCells; ++i)
            out[i] = ToByte(factor, a[i]);
    }
}

// Weight 1 everywhere and a factor of exactly 0.25 (float(n) / float(4n) is exact
// in binary): sums of four bytes are exact in float, so rounding the average is
// the integer (sum + 2) >> 2, bit for bit what the general walk gives.
inline void HalvePixels(const uint8_t* r0, const uint8_t* r1, uint8_t* out, size_t from, size_t to) {
    for (size_t i = from, j = 2 * from; i < to; i += 3, j += 6) {
        for (size_t c = 0; c < 3; ++c) {
            const unsigned sum = unsigned(r0[j + c]) + r0[j + 3 + c] + r1[j + c] + r1[j + 3 + c];
            out[i + c] = static_cast<uint8_t>((sum + 2) >> 2);
        }
    }
}

#if defined(__SSE2__)
// Lanes of 16-bit values selected by a mask of lanes.
inline __m128i LaneMask(int first, int count) {
    alignas(16) uint16_t lanes[8] = {};
    for (int i = first; i < first + count; ++i)
        lanes[i] = 0xFFFF;
    return _mm_load_si128(reinterpret_cast<const __m128i*>(lanes));
}

struct HalvingMasks {
    __m128i m012 = LaneMask(0, 3);
    __m128i m67 = LaneMask(6, 2);
    __m128i m0 = LaneMask(0, 1);
    __m128i m45 = LaneMask(4, 2);
    __m128i m6 = LaneMask(6, 1);
    __m128i m234 = LaneMask(2, 3);
};

// Four destination pixels from 24 lanes of pair sums: t[p] = v[p] + v[p + 3],
// of which the lanes p with p mod 6 < 3 are wanted. Rounds, packs and stores
// 12 bytes.
inline void StoreFour(__m128i t0, __m128i t1, __m128i t2, const HalvingMasks& m, uint8_t* out) {
    const __m128i two = _mm_set1_epi16(2);
    __m128i lo = _mm_and_si128(t0, m.m012);
    lo = _mm_or_si128(lo, _mm_srli_si128(_mm_and_si128(t0, m.m67), 6));
    lo = _mm_or_si128(lo, _mm_slli_si128(_mm_and_si128(t1, m.m0), 10));
    lo = _mm_or_si128(lo, _mm_slli_si128(_mm_and_si128(t1, m.m45), 4));
    __m128i hi = _mm_srli_si128(_mm_and_si128(t1, m.m6), 12);
    hi = _mm_or_si128(hi, _mm_srli_si128(_mm_and_si128(t2, m.m234), 2));
    lo = _mm_srli_epi16(_mm_add_epi16(lo, two), 2);
    hi = _mm_srli_epi16(_mm_add_epi16(hi, two), 2);
    const __m128i bytes = _mm_packus_epi16(lo, hi);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), bytes);
    const int last = _mm_cvtsi128_si32(_mm_srli_si128(bytes, 8));
    std::memcpy(out + 8, &last, 4);
}

// Eight destination pixels (24 bytes) from 48 bytes of each source row.
inline void HalveEight(const uint8_t* r0, const uint8_t* r1, uint8_t* out, const HalvingMasks& m) {
    const __m128i zero = _mm_setzero_si128();
    __m128i v[6];
    for (int k = 0; k < 3; ++k) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r0 + 16 * k));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r1 + 16 * k));
        v[2 * k] = _mm_add_epi16(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero));
        v[2 * k + 1] = _mm_add_epi16(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero));
    }
    __m128i t[6];
    for (int k = 0; k < 5; ++k)
        t[k] = _mm_add_epi16(v[k], _mm_or_si128(_mm_srli_si128(v[k], 6), _mm_slli_si128(v[k + 1], 10)));
    t[5] = _mm_add_epi16(v[5], _mm_srli_si128(v[5], 6));
    StoreFour(t[0], t[1], t[2], m, out);
    StoreFour(t[3], t[4], t[5], m, out + 12);
}
#endif

void HalveExactly(const uint8_t* src, size_t srcStride, uint8_t* dst, int dstWidth, int dstHeight, size_t dstStride) {
    const size_t rowBytes = size_t(dstWidth) * 3;
#if defined(__SSE2__)
    const HalvingMasks masks;
    const size_t vectorBytes = rowBytes - rowBytes % 24;
#else
    const size_t vectorBytes = 0;
#endif
    for (int y = 0; y < dstHeight; ++y) {
        const uint8_t* r0 = src + size_t(2 * y) * srcStride;
        const uint8_t* r1 = r0 + srcStride;
        uint8_t* out = dst + size_t(y) * dstStride;
#if defined(__SSE2__)
        for (size_t i = 0; i < vectorBytes; i += 24)
            HalveEight(r0 + 2 * i, r1 + 2 * i, out + i, masks);
#endif
        HalvePixels(r0, r1, out, vectorBytes, rowBytes);
    }
}

// One contribution of a source column to a destination column, with the
// column's share: 1, or for a column that straddles two, 1 - w to the first
// and w to the second (the same floats for every row).
struct ColumnShare {
    int x;
    float weight;
};

// Scratch reused from call to call, so that a frame allocates nothing once the
// sizes are set.
struct ShrinkScratch {
    std::vector<ColumnShare> shares;  // by destination column, in source order
    std::vector<size_t> firstShare;   // per destination column, and one past the end
    std::vector<float> sums;          // two destination rows of four floats a pixel
};

ShrinkScratch& TheShrinkScratch() {
    static thread_local ShrinkScratch scratch;
    return scratch;
}

// The source columns feeding each destination column, walked as the reference
// walks them.
void ShareColumns(int srcWidth, int dstWidth, ShrinkScratch& scratch) {
    scratch.shares.clear();
    scratch.shares.reserve(size_t(srcWidth) + size_t(dstWidth));
    scratch.firstShare.assign(size_t(dstWidth) + 1, 0);
    int64_t sum = 0;
    int dx = 0;
    for (int x = 0; x < srcWidth; ++x) {
        sum += dstWidth;
        if (sum <= srcWidth) {
            scratch.shares.push_back({x, 1.0f});
            if (sum == srcWidth) {
                sum = 0;
                ++dx;
                if (dx <= dstWidth)
                    scratch.firstShare[size_t(dx)] = scratch.shares.size();
            }
        } else {
            const float w = float(sum - srcWidth) / float(dstWidth);
            scratch.shares.push_back({x, 1.0f - w});
            ++dx;
            scratch.firstShare[size_t(dx)] = scratch.shares.size();
            scratch.shares.push_back({x, w});
            sum -= srcWidth;
        }
    }
    scratch.firstShare[size_t(dstWidth)] = scratch.shares.size();
}

#if defined(__SSE2__)
// A pixel's three channels as floats in lanes 0 to 2. With room to read four
// bytes, lane 3 holds a byte of the next pixel; every weight vector has 0 there.
inline __m128 PixelLanes(const uint8_t* pixel, bool fourBytes) {
    if (!fourBytes)
        return _mm_setr_ps(float(pixel[0]), float(pixel[1]), float(pixel[2]), 0.0f);
    int32_t bytes;
    std::memcpy(&bytes, pixel, 4);
    const __m128i zero = _mm_setzero_si128();
    const __m128i words = _mm_unpacklo_epi8(_mm_cvtsi32_si128(bytes), zero);
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(words, zero));
}
#endif

void EmitRow(const float* sums, uint8_t* out, int dstWidth, float factor) {
    for (int x = 0; x < dstWidth; ++x)
        for (int k = 0; k < 3; ++k)
            out[3 * size_t(x) + k] = ToByte(factor, sums[4 * size_t(x) + k]);
}

// The walk of the reference, for a destination not larger than the source,
// with two destination rows of sums at a time: the one being finished and the
// next, which straddling source rows reach into. Each sum is kept in a register
// while its source pixels are added, in the reference's order and with the
// reference's products (row share times column share, times the value), so
// the floats are identical. A pixel that straddles never sits in the last
// column or row (the partial sums stay below the full span), so the next column
// and row always exist.
void ShrinkGeneral(const uint8_t* src,
                   int srcWidth,
                   int srcHeight,
                   size_t srcStride,
                   uint8_t* dst,
                   int dstWidth,
                   int dstHeight,
                   size_t dstStride,
                   float factor) {
    ShrinkScratch& scratch = TheShrinkScratch();
    ShareColumns(srcWidth, dstWidth, scratch);
    const ColumnShare* shares = scratch.shares.data();
    const size_t* firstShare = scratch.firstShare.data();

    const size_t rowFloats = size_t(dstWidth) * 4;
    scratch.sums.assign(2 * rowFloats, 0.0f);
    float* current = scratch.sums.data();
    float* next = current + rowFloats;
    int64_t m = 0;
    int dy = 0;
    for (int y = 0; y < srcHeight; ++y) {
        float rowCurrent = 1.0f;
        float rowNext = 0.0f;
        bool rowSplit = false;
        bool rowDone = false;
        m += dstHeight;
        if (m == srcHeight) {
            m = 0;
            rowDone = true;
        } else if (m > srcHeight) {
            rowNext = float(m - srcHeight) / float(dstHeight);
            rowCurrent = 1.0f - rowNext;
            rowSplit = true;
            m -= srcHeight;
            rowDone = true;
        }
        const uint8_t* row = src + size_t(y) * srcStride;
        // Four bytes may be read at a pixel unless it ends the buffer.
        const int lastFourByte = y + 1 < srcHeight ? srcWidth - 1 : int((srcStride - 4) / 3);
        for (int dx = 0; dx < dstWidth; ++dx) {
            float* c0 = current + 4 * size_t(dx);
            float* c1 = next + 4 * size_t(dx);
#if defined(__SSE2__)
            __m128 sum0 = _mm_loadu_ps(c0);
            __m128 sum1 = _mm_loadu_ps(c1);
            for (size_t i = firstShare[dx]; i < firstShare[dx + 1]; ++i) {
                const ColumnShare& share = shares[i];
                const __m128 value = PixelLanes(row + 3 * size_t(share.x), share.x <= lastFourByte);
                const float w0 = rowCurrent * share.weight;
                sum0 = _mm_add_ps(sum0, _mm_mul_ps(value, _mm_setr_ps(w0, w0, w0, 0.0f)));
                if (rowSplit) {
                    const float w1 = rowNext * share.weight;
                    sum1 = _mm_add_ps(sum1, _mm_mul_ps(value, _mm_setr_ps(w1, w1, w1, 0.0f)));
                }
            }
            _mm_storeu_ps(c0, sum0);
            _mm_storeu_ps(c1, sum1);
#else
            for (size_t i = firstShare[dx]; i < firstShare[dx + 1]; ++i) {
                const ColumnShare& share = shares[i];
                const uint8_t* p = row + 3 * size_t(share.x);
                const float w0 = rowCurrent * share.weight;
                for (int k = 0; k < 3; ++k)
                    c0[k] += float(p[k]) * w0;
                if (rowSplit) {
                    const float w1 = rowNext * share.weight;
                    for (int k = 0; k < 3; ++k)
                        c1[k] += float(p[k]) * w1;
                }
            }
#endif
        }
        if (rowDone && dy < dstHeight) {
            EmitRow(current, dst + size_t(dy) * dstStride, dstWidth, factor);
            ++dy;
            std::swap(current, next);
            std::fill(next, next + rowFloats, 0.0f);
        }
    }
}

}  // namespace

size_t RowStride24(int width) {
    if (width <= 0 || width > (INT_MAX - 3) / 3)
        return 0;
    return (3 * size_t(width) + 3) & ~size_t(3);
}

void AreaAverageReference(const uint8_t* src,
                          int srcWidth,
                          int srcHeight,
                          size_t srcStride,
                          uint8_t* dst,
                          int dstWidth,
                          int dstHeight,
                          size_t dstStride,
                          float* accumulator) {
    if (!accumulator || !ValidSizes(src, srcWidth, srcHeight, srcStride, dst, dstWidth, dstHeight, dstStride))
        return;
    std::fill(accumulator, accumulator + size_t(dstWidth) * dstHeight * 3, 0.0f);

    // Source pixels span dstWidth x dstHeight units of a common grid, destination
    // pixels srcWidth x srcHeight.
    int64_t m = 0;
    int dy = 0;
    for (int y = 0; y < srcHeight; ++y) {
        const int rowFirst = dy;
        float rowWeight[2] = {1.0f, 0.0f};
        int rowParts = 1;
        m += dstHeight;
        if (m < srcHeight) {
        } else if (m == srcHeight) {
            m = 0;
            ++dy;
        } else {
            const float t = float(m - srcHeight) / float(dstHeight);
            rowWeight[0] = 1.0f - t;
            rowWeight[1] = t;
            rowParts = 2;
            m -= srcHeight;
            ++dy;
        }

        int64_t sum = 0;
        int dx = 0;
        for (int x = 0; x < srcWidth; ++x) {
            const int columnFirst = dx;
            float columnWeight[2] = {1.0f, 0.0f};
            int columnParts = 1;
            sum += dstWidth;
            if (sum <= srcWidth) {
                if (sum == srcWidth) {
                    sum = 0;
                    ++dx;
                }
            } else {
                const float w = float(sum - srcWidth) / float(dstWidth);
                columnWeight[0] = 1.0f - w;
                columnWeight[1] = w;
                columnParts = 2;
                sum -= srcWidth;
                ++dx;
            }

            const uint8_t* pixel = src + size_t(y) * srcStride + size_t(x) * 3;
            for (int r = 0; r < rowParts; ++r) {
                for (int c = 0; c < columnParts; ++c) {
                    const int ty = rowFirst + r;
                    const int tx = columnFirst + c;
                    if (ty >= dstHeight || tx >= dstWidth)
                        continue;
                    const float weight = rowWeight[r] * columnWeight[c];
                    float* cell = accumulator + (size_t(ty) * dstWidth + tx) * 3;
                    for (int k = 0; k < 3; ++k)
                        cell[k] += float(pixel[k]) * weight;
                }
            }
        }
    }
    WriteOutput(accumulator, dst, dstWidth, dstHeight, dstStride,
                OutputFactor(srcWidth, srcHeight, dstWidth, dstHeight));
}

void AreaAverage(const uint8_t* src,
                 int srcWidth,
                 int srcHeight,
                 size_t srcStride,
                 uint8_t* dst,
                 int dstWidth,
                 int dstHeight,
                 size_t dstStride,
                 float* accumulator) {
    if (!ValidSizes(src, srcWidth, srcHeight, srcStride, dst, dstWidth, dstHeight, dstStride))
        return;
    if (int64_t(srcWidth) == 2 * int64_t(dstWidth) && int64_t(srcHeight) == 2 * int64_t(dstHeight)) {
        HalveExactly(src, srcStride, dst, dstWidth, dstHeight, dstStride);
        return;
    }
    if (!accumulator)
        return;
    if (dstWidth > srcWidth || dstHeight > srcHeight) {
        // Enlarging is not what the reduction is for; the plain walk keeps it in bounds.
        AreaAverageReference(src, srcWidth, srcHeight, srcStride, dst, dstWidth, dstHeight, dstStride, accumulator);
        return;
    }
    try {
        ShrinkGeneral(src, srcWidth, srcHeight, srcStride, dst, dstWidth, dstHeight, dstStride,
                      OutputFactor(srcWidth, srcHeight, dstWidth, dstHeight));
    } catch (const std::bad_alloc&) {
        // No room for the row sums: the caller's accumulator serves.
        AreaAverageReference(src, srcWidth, srcHeight, srcStride, dst, dstWidth, dstHeight, dstStride, accumulator);
    }
}

namespace {

bool SizePicture(Picture24& picture, int width, int height) {
    const size_t stride = RowStride24(width);
    if (stride == 0 || height <= 0 || size_t(height) > kMaxBufferBytes / stride)
        return false;
    picture.pixels.assign(stride * size_t(height), 0);
    picture.width = width;
    picture.height = height;
    picture.stride = stride;
    return true;
}

}  // namespace

bool ReductionBuffers::Prepare(int srcWidth, int srcHeight, int dstWidth, int dstHeight) {
    if (!Empty() && source_.width == srcWidth && source_.height == srcHeight && destination_.width == dstWidth &&
        destination_.height == dstHeight)
        return true;
    Clear();
    try {
        if (!SizePicture(source_, srcWidth, srcHeight) || !SizePicture(destination_, dstWidth, dstHeight)) {
            Clear();
            return false;
        }
        const size_t cells = size_t(dstWidth) * size_t(dstHeight) * 3;
        if (cells > kMaxBufferBytes / sizeof(float)) {
            Clear();
            return false;
        }
        accumulator_.assign(cells, 0.0f);
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
    return true;
}

bool ReductionBuffers::PrepareSource(int srcWidth, int srcHeight) {
    if (destination_.pixels.empty())
        return false;
    if (source_.width == srcWidth && source_.height == srcHeight && !source_.pixels.empty())
        return true;
    try {
        if (SizePicture(source_, srcWidth, srcHeight))
            return true;
    } catch (const std::bad_alloc&) {
    }
    source_ = Picture24{};
    return false;
}

void ReductionBuffers::Clear() {
    source_ = Picture24{};
    destination_ = Picture24{};
    accumulator_ = std::vector<float>{};
}

void ReductionBuffers::Reduce() {
    if (Empty())
        return;
    AreaAverage(source_.data(), source_.width, source_.height, source_.stride, destination_.data(), destination_.width,
                destination_.height, destination_.stride, accumulator_.data());
}
