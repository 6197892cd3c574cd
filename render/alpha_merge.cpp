#include "render/alpha_merge.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void MergeAlphaPlaneInto(uint8_t* bgraPixels, const uint8_t* plane, size_t pixelCount) {
    if (!bgraPixels || !plane)
        return;
    size_t i = 0;
#if defined(__SSE2__)
    // Sixteen pixels a step: the plane bytes spread to the top byte of each
    // 32-bit lane, the color bytes kept by a mask.
    const __m128i color = _mm_set1_epi32(0x00FFFFFF);
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= pixelCount; i += 16) {
        const __m128i alpha = _mm_loadu_si128(reinterpret_cast<const __m128i*>(plane + i));
        const __m128i low = _mm_unpacklo_epi8(zero, alpha);  // alpha in the high byte of 16-bit lanes
        const __m128i high = _mm_unpackhi_epi8(zero, alpha);
        const __m128i a0 = _mm_unpacklo_epi16(zero, low);  // ... and of 32-bit lanes
        const __m128i a1 = _mm_unpackhi_epi16(zero, low);
        const __m128i a2 = _mm_unpacklo_epi16(zero, high);
        const __m128i a3 = _mm_unpackhi_epi16(zero, high);
        __m128i* p = reinterpret_cast<__m128i*>(bgraPixels + 4 * i);
        _mm_storeu_si128(p, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(p), color), a0));
        _mm_storeu_si128(p + 1, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(p + 1), color), a1));
        _mm_storeu_si128(p + 2, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(p + 2), color), a2));
        _mm_storeu_si128(p + 3, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(p + 3), color), a3));
    }
#endif
    // Byte 3 of every pixel, the last ones included.
    for (; i < pixelCount; ++i)
        bgraPixels[4 * i + 3] = plane[i];
}

void MergeShapeMaskInto(uint8_t* bgraPixels, const uint8_t* mask, size_t pixelCount) {
    if (!bgraPixels || !mask)
        return;
    size_t i = 0;
#if defined(__SSE2__)
    // Each mask byte widens to a 32-bit lane of all ones (inside) or zeros.
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i zero = _mm_setzero_si128();
    const __m128i ones = _mm_set1_epi32(-1);
    for (; i + 16 <= pixelCount; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + i));
        const __m128i inside = _mm_xor_si128(_mm_cmpeq_epi8(bytes, zero), ones);
        const __m128i low = _mm_unpacklo_epi8(inside, inside);
        const __m128i high = _mm_unpackhi_epi8(inside, inside);
        const __m128i m[4] = {_mm_unpacklo_epi16(low, low), _mm_unpackhi_epi16(low, low),
                              _mm_unpacklo_epi16(high, high), _mm_unpackhi_epi16(high, high)};
        __m128i* p = reinterpret_cast<__m128i*>(bgraPixels + 4 * i);
        for (int k = 0; k < 4; ++k)
            _mm_storeu_si128(p + k, _mm_and_si128(_mm_or_si128(_mm_loadu_si128(p + k), opaque), m[k]));
    }
#endif
    for (; i < pixelCount; ++i) {
        uint8_t* p = bgraPixels + 4 * i;
        if (mask[i]) {
            p[3] = 255;
        } else {
            p[0] = p[1] = p[2] = p[3] = 0;
        }
    }
}
