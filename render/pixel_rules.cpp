#include "render/pixel_rules.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#if defined(__GNUC__)
#include <tmmintrin.h>
#define TAVIX_HAVE_SSSE3_PATH 1
#endif
#endif

void PremultiplyPixel(const uint8_t rgba[4], uint8_t bgraOut[4]) {
    const unsigned r = rgba[0], g = rgba[1], b = rgba[2], a = rgba[3];
    bgraOut[0] = static_cast<uint8_t>(b * a >> 8);
    bgraOut[1] = static_cast<uint8_t>(g * a >> 8);
    bgraOut[2] = static_cast<uint8_t>(r * a >> 8);
    bgraOut[3] = static_cast<uint8_t>(a);
}

namespace {

uint8_t Over(unsigned v, unsigned k, unsigned a) {
    const unsigned t = a * v + (255 - a) * k + 128;
    return static_cast<uint8_t>((t + (t >> 8)) >> 8);
}

#if defined(__SSE2__)
// The vector paths work on 16-bit lanes; every intermediate of both rules fits
// in 16 unsigned bits (at most 255 × 255 + 255 + 128), so no lane overflows.

constexpr int kSwapRedBlue = _MM_SHUFFLE(3, 0, 1, 2);
constexpr int kBroadcastAlpha = _MM_SHUFFLE(3, 3, 3, 3);

inline __m128i SwapRedBlue(__m128i x) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(x, kSwapRedBlue), kSwapRedBlue);
}

inline __m128i BroadcastAlpha(__m128i x) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(x, kBroadcastAlpha), kBroadcastAlpha);
}

// Lanes 0-2 of each pixel all ones, lane 3 (alpha) zero.
inline __m128i ColorLanes() {
    return _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
}

// Two pixels as (value << 8) lanes, already in B, G, R, A order.
inline __m128i PremultiplyTwo(__m128i shifted) {
    // Alpha lane multiplier 256 keeps A: (A << 8) × 256 >> 16 = A.
    const __m128i alpha = _mm_srli_epi16(BroadcastAlpha(shifted), 8);
    const __m128i factor = _mm_or_si128(_mm_and_si128(alpha, ColorLanes()), _mm_set_epi16(256, 0, 0, 0, 256, 0, 0, 0));
    return _mm_mulhi_epu16(shifted, factor);
}

inline __m128i PremultiplyFour(__m128i v) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i lo = PremultiplyTwo(SwapRedBlue(_mm_unpacklo_epi8(zero, v)));
    const __m128i hi = PremultiplyTwo(SwapRedBlue(_mm_unpackhi_epi8(zero, v)));
    return _mm_packus_epi16(lo, hi);
}

// Two pixels as plain 16-bit lanes in B, G, R, A order; cut holds kB, kG, kR, 0
// twice. The alpha lane computes (255 × A + 128 + ...) / 255 rounding = A.
inline __m128i OverTwo(__m128i x, __m128i cut) {
    const __m128i alpha = BroadcastAlpha(x);
    const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(255), alpha);
    const __m128i factor = _mm_or_si128(_mm_and_si128(alpha, ColorLanes()), _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0));
    __m128i t = _mm_add_epi16(_mm_mullo_epi16(x, factor), _mm_mullo_epi16(cut, inverse));
    t = _mm_add_epi16(t, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

inline __m128i OverFour(__m128i v, __m128i cut) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i lo = OverTwo(SwapRedBlue(_mm_unpacklo_epi8(v, zero)), cut);
    const __m128i hi = OverTwo(SwapRedBlue(_mm_unpackhi_epi8(v, zero)), cut);
    return _mm_packus_epi16(lo, hi);
}

// The alpha bytes of sixteen pixels, in order.
inline __m128i AlphaBytes(__m128i v0, __m128i v1, __m128i v2, __m128i v3) {
    const __m128i a01 = _mm_packs_epi32(_mm_srli_epi32(v0, 24), _mm_srli_epi32(v1, 24));
    const __m128i a23 = _mm_packs_epi32(_mm_srli_epi32(v2, 24), _mm_srli_epi32(v3, 24));
    return _mm_packus_epi16(a01, a23);
}

// Runs convert over blocks of sixteen pixels and returns how many it did.
template <typename Convert>
size_t ConvertBlocks(uint8_t* pixels, size_t count, uint8_t* plane, Convert convert) {
    const size_t blocks = count / 16;
    for (size_t i = 0; i < blocks; ++i) {
        auto* p = reinterpret_cast<__m128i*>(pixels + i * 64);
        const __m128i v0 = _mm_loadu_si128(p);
        const __m128i v1 = _mm_loadu_si128(p + 1);
        const __m128i v2 = _mm_loadu_si128(p + 2);
        const __m128i v3 = _mm_loadu_si128(p + 3);
        if (plane)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(plane + i * 16), AlphaBytes(v0, v1, v2, v3));
        _mm_storeu_si128(p, convert(v0));
        _mm_storeu_si128(p + 1, convert(v1));
        _mm_storeu_si128(p + 2, convert(v2));
        _mm_storeu_si128(p + 3, convert(v3));
    }
    return blocks * 16;
}
#endif

#if defined(TAVIX_HAVE_SSSE3_PATH)
// With byte shuffles each four pixels take a handful of instructions, which
// keeps the conversion within a few times the cost of copying the bytes. Chosen
// at run time, as SSSE3 is not part of the x86-64 baseline.
bool CpuHasSsse3() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("ssse3") != 0;
    }();
    return has;
}

__attribute__((target("ssse3"))) size_t PremultiplyBlocksSsse3(uint8_t* pixels, size_t count, uint8_t* plane) {
    // (value << 8) lanes in B, G, R, A order; -1 bytes become zero.
    const __m128i shiftedLo = _mm_setr_epi8(-1, 2, -1, 1, -1, 0, -1, 3, -1, 6, -1, 5, -1, 4, -1, 7);
    const __m128i shiftedHi = _mm_setr_epi8(-1, 10, -1, 9, -1, 8, -1, 11, -1, 14, -1, 13, -1, 12, -1, 15);
    // A in the color lanes; the alpha lane gets 256 from the constant, which keeps A.
    const __m128i alphaLo = _mm_setr_epi8(3, -1, 3, -1, 3, -1, -1, -1, 7, -1, 7, -1, 7, -1, -1, -1);
    const __m128i alphaHi = _mm_setr_epi8(11, -1, 11, -1, 11, -1, -1, -1, 15, -1, 15, -1, 15, -1, -1, -1);
    const __m128i keepAlpha = _mm_set_epi16(256, 0, 0, 0, 256, 0, 0, 0);
    const size_t blocks = count / 16;
    for (size_t i = 0; i < blocks; ++i) {
        auto* p = reinterpret_cast<__m128i*>(pixels + i * 64);
        const __m128i v0 = _mm_loadu_si128(p);
        const __m128i v1 = _mm_loadu_si128(p + 1);
        const __m128i v2 = _mm_loadu_si128(p + 2);
        const __m128i v3 = _mm_loadu_si128(p + 3);
        if (plane)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(plane + i * 16), AlphaBytes(v0, v1, v2, v3));
        const __m128i vs[4] = {v0, v1, v2, v3};
        for (int k = 0; k < 4; ++k) {
            const __m128i lo = _mm_mulhi_epu16(_mm_shuffle_epi8(vs[k], shiftedLo),
                                               _mm_or_si128(_mm_shuffle_epi8(vs[k], alphaLo), keepAlpha));
            const __m128i hi = _mm_mulhi_epu16(_mm_shuffle_epi8(vs[k], shiftedHi),
                                               _mm_or_si128(_mm_shuffle_epi8(vs[k], alphaHi), keepAlpha));
            _mm_storeu_si128(p + k, _mm_packus_epi16(lo, hi));
        }
    }
    return blocks * 16;
}

__attribute__((target("ssse3"))) size_t OverBlocksSsse3(uint8_t* pixels,
                                                        size_t count,
                                                        const uint8_t cutRgb[3],
                                                        uint8_t* plane) {
    const __m128i plainLo = _mm_setr_epi8(2, -1, 1, -1, 0, -1, 3, -1, 6, -1, 5, -1, 4, -1, 7, -1);
    const __m128i plainHi = _mm_setr_epi8(10, -1, 9, -1, 8, -1, 11, -1, 14, -1, 13, -1, 12, -1, 15, -1);
    const __m128i alphaLo = _mm_setr_epi8(3, -1, 3, -1, 3, -1, -1, -1, 7, -1, 7, -1, 7, -1, -1, -1);
    const __m128i alphaHi = _mm_setr_epi8(11, -1, 11, -1, 11, -1, -1, -1, 15, -1, 15, -1, 15, -1, -1, -1);
    // The alpha lane multiplies A by 255 with no cut color, which rounds back to A.
    const __m128i alphaFactor = _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0);
    const __m128i cut = _mm_set_epi16(0, cutRgb[0], cutRgb[1], cutRgb[2], 0, cutRgb[0], cutRgb[1], cutRgb[2]);
    const __m128i full = _mm_set1_epi16(255);
    const __m128i half = _mm_set1_epi16(128);
    const size_t blocks = count / 16;
    for (size_t i = 0; i < blocks; ++i) {
        auto* p = reinterpret_cast<__m128i*>(pixels + i * 64);
        const __m128i v0 = _mm_loadu_si128(p);
        const __m128i v1 = _mm_loadu_si128(p + 1);
        const __m128i v2 = _mm_loadu_si128(p + 2);
        const __m128i v3 = _mm_loadu_si128(p + 3);
        if (plane)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(plane + i * 16), AlphaBytes(v0, v1, v2, v3));
        const __m128i vs[4] = {v0, v1, v2, v3};
        for (int k = 0; k < 4; ++k) {
            __m128i halves[2];
            for (int h = 0; h < 2; ++h) {
                const __m128i x = _mm_shuffle_epi8(vs[k], h ? plainHi : plainLo);
                const __m128i alpha = _mm_shuffle_epi8(vs[k], h ? alphaHi : alphaLo);
                __m128i t = _mm_add_epi16(_mm_mullo_epi16(x, _mm_or_si128(alpha, alphaFactor)),
                                          _mm_mullo_epi16(cut, _mm_sub_epi16(full, alpha)));
                t = _mm_add_epi16(t, half);
                halves[h] = _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
            }
            _mm_storeu_si128(p + k, _mm_packus_epi16(halves[0], halves[1]));
        }
    }
    return blocks * 16;
}
#endif

}  // namespace

void CompositePixel(const uint8_t rgba[4], const uint8_t cutRgb[3], uint8_t bgraOut[4]) {
    const unsigned a = rgba[3];
    const uint8_t r = Over(rgba[0], cutRgb[0], a);
    const uint8_t g = Over(rgba[1], cutRgb[1], a);
    const uint8_t b = Over(rgba[2], cutRgb[2], a);
    bgraOut[0] = b;
    bgraOut[1] = g;
    bgraOut[2] = r;
    bgraOut[3] = static_cast<uint8_t>(a);
}

namespace {

size_t PremultiplyBlocks(uint8_t* pixels, size_t count, uint8_t* plane) {
#if defined(TAVIX_HAVE_SSSE3_PATH)
    if (CpuHasSsse3())
        return PremultiplyBlocksSsse3(pixels, count, plane);
#endif
#if defined(__SSE2__)
    return ConvertBlocks(pixels, count, plane, PremultiplyFour);
#else
    return 0;
#endif
}

size_t OverBlocks(uint8_t* pixels, size_t count, const uint8_t cutRgb[3], uint8_t* plane) {
#if defined(TAVIX_HAVE_SSSE3_PATH)
    if (CpuHasSsse3())
        return OverBlocksSsse3(pixels, count, cutRgb, plane);
#endif
#if defined(__SSE2__)
    const __m128i cut = _mm_set_epi16(0, cutRgb[0], cutRgb[1], cutRgb[2], 0, cutRgb[0], cutRgb[1], cutRgb[2]);
    return ConvertBlocks(pixels, count, plane, [cut](__m128i v) { return OverFour(v, cut); });
#else
    return 0;
#endif
}

}  // namespace

void ConvertToPremultiplied(uint8_t* pixels, size_t count, uint8_t* alphaPlaneOrNull) {
    for (size_t i = PremultiplyBlocks(pixels, count, alphaPlaneOrNull); i < count; ++i) {
        uint8_t* p = pixels + i * 4;
        if (alphaPlaneOrNull)
            alphaPlaneOrNull[i] = p[3];
        PremultiplyPixel(p, p);
    }
}

void ConvertOverCutColor(uint8_t* pixels, size_t count, const uint8_t cutRgb[3], uint8_t* alphaPlaneOrNull) {
    for (size_t i = OverBlocks(pixels, count, cutRgb, alphaPlaneOrNull); i < count; ++i) {
        uint8_t* p = pixels + i * 4;
        if (alphaPlaneOrNull)
            alphaPlaneOrNull[i] = p[3];
        CompositePixel(p, cutRgb, p);
    }
}
